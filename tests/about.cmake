linglu_add_test(about_test LIBS linglu_about linglu_common)
target_compile_definitions(about_test PRIVATE ${LINGLU_VERSION_DEFINITIONS})
