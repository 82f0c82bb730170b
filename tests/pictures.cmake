# The installation's pictures: every file the program reads is there after the build and decodes,
# the shapes match the width shares the viewer gives them, and the generator draws the same bytes
# every time; and the generator's own pieces (palette reduction, GIF and icon writers, fitting).
linglu_add_test(pictures_test LIBS linglu_content linglu_picgen linglu_catalogue)
target_compile_definitions(pictures_test PRIVATE PICGEN_PATH="$<TARGET_FILE:picgen>"
                                                 PICGEN_LAYOUTS="$<TARGET_FILE_DIR:picgen>/layouts.json")
add_dependencies(pictures_test pictures)

# Reading a file whole within a bound, by the file's size rather than the bound's.
linglu_add_test(regular_file_test LIBS linglu_common)
