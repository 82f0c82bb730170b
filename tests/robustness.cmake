# Robustness: the fault matrix, the untouched-installation session and the soak run. (The fuzzing
# and benchmark programs are added by the top CMakeLists.txt.)

set(robust_libs linglu_app linglu_common linglu_content linglu_viewer linglu_catalogue linglu_articles
    linglu_articlecodec linglu_about)
linglu_add_test(robust_faults_test LIBS ${robust_libs})
linglu_add_test(robust_session_test LIBS ${robust_libs})
linglu_add_test(robust_soak_test LIBS ${robust_libs})
linglu_add_test(robust_articles_test LIBS ${robust_libs})
linglu_add_test(robust_view_test LIBS ${robust_libs})
