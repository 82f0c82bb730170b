# Finding words in the book: the index without a window, and the panel in the frame.
linglu_add_test(search_test LIBS linglu_search_core)
linglu_add_test(search_panel_test LIBS linglu_app)
