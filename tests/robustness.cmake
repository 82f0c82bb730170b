# Robustness: the fault matrix, the untouched-installation session and the soak run, plus the
# optional fuzzing and benchmark programs (built only on request, never by the default build).

option(LINGLU_FUZZ "Build the libFuzzer targets (clang only; scripts/fuzz)" OFF)
if(LINGLU_FUZZ)
    add_subdirectory(${PROJECT_SOURCE_DIR}/fuzz ${CMAKE_BINARY_DIR}/fuzz)
endif()

if(EXISTS ${PROJECT_SOURCE_DIR}/bench/CMakeLists.txt)
    add_subdirectory(${PROJECT_SOURCE_DIR}/bench ${CMAKE_BINARY_DIR}/bench EXCLUDE_FROM_ALL)
endif()

linglu_add_test(robust_faults_test LIBS linglu_app)
linglu_add_test(robust_session_test LIBS linglu_app)
linglu_add_test(robust_soak_test LIBS linglu_app)
linglu_add_test(robust_articles_test LIBS linglu_app)
