# The viewer window, its entry pages, the 奇门遁甲 panel and the frame that opens them.
linglu_add_test(viewer_layout_test LIBS linglu_viewer_layout)
linglu_add_test(viewer_test LIBS linglu_viewer linglu_common linglu_content linglu_articlecodec)
linglu_add_test(mainwindow_test LIBS linglu_app linglu_common linglu_content linglu_viewer linglu_articlecodec)
linglu_add_test(picture_cache_test LIBS linglu_viewer)
linglu_add_test(viewer_pictures_test LIBS linglu_viewer linglu_common linglu_content linglu_articlecodec)
linglu_add_test(frame_activation_test LIBS linglu_app)
linglu_add_test(frame_keyboard_test LIBS linglu_app)
linglu_add_test(reader_frame_test LIBS linglu_app linglu_articlecodec linglu_reader)
linglu_add_test(picture_zoom_test LIBS linglu_viewer_layout)
linglu_add_test(entry_print_layout_test LIBS linglu_viewer_layout)
# Printing and PDF export of pages and articles, read back with poppler's tools; the picture viewer.
linglu_add_test(print_export_test LIBS linglu_app Qt6::PrintSupport)
