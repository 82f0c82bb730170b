# Article pages: the codec on bytes, the godcodec tool, and the article window with its opener.
linglu_add_test(article_codec_test LIBS linglu_articlecodec)
linglu_add_test(article_page_test LIBS linglu_app linglu_common linglu_articles linglu_articlecodec)
linglu_add_test(godcodec_test LIBS linglu_articlecodec Qt6::Core)
# The test reads the article files the build writes: building it builds them.
add_dependencies(godcodec_test godcodec articlefiles)
set_property(TEST godcodec_test APPEND PROPERTY ENVIRONMENT "GODCODEC=$<TARGET_FILE:godcodec>")
linglu_add_test(article_view_test LIBS linglu_articles)
