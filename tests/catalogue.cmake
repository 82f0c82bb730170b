# The catalogue page: layout arithmetic, titles, background and banner.
linglu_add_test(catalogue_test LIBS linglu_catalogue linglu_common)
