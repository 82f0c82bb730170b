linglu_add_test(about_test LIBS linglu_about)
