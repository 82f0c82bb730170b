# A screen reader's view: the program under a private X server and accessibility bus, read and
# driven by a pyatspi client. Reported as skipped where Xvfb, at-spi2-core or pyatspi is missing.
if(UNIX AND NOT APPLE)
    # The distribution's interpreter, which has the pyatspi module, also where another comes first.
    find_program(LINGLU_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
    if(NOT LINGLU_SYSTEM_PYTHON)
        set(LINGLU_SYSTEM_PYTHON python3)
    endif()
    add_test(NAME accessibility_test
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/accessibility/run_accessibility_test.sh
                ${LINGLU_BIN_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/accessibility/read_program.py ${LINGLU_SYSTEM_PYTHON})
    set_tests_properties(accessibility_test PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180 RUN_SERIAL TRUE)
    if(LINGLU_SANITIZE)
        # Under a real X server the keyboard library (libxkbcommon-x11) reads its keymap names with
        # strndup past their end, which the strict string checks report; the program's own code is
        # checked by the other tests. Its font and bus libraries keep caches for the process's life.
        set_property(TEST accessibility_test APPEND PROPERTY ENVIRONMENT
                     "ASAN_OPTIONS=detect_leaks=0:strict_string_checks=0")
    endif()
endif()
