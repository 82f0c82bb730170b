# The viewer window, its entry pages, the 奇门遁甲 panel and the frame that opens them.
linglu_add_test(viewer_layout_test LIBS linglu_viewer_layout)
linglu_add_test(viewer_test LIBS linglu_viewer linglu_common linglu_content linglu_articlecodec)
linglu_add_test(mainwindow_test LIBS linglu_app linglu_common linglu_content linglu_viewer linglu_articlecodec)
linglu_add_test(picture_cache_test LIBS linglu_viewer)
linglu_add_test(viewer_pictures_test LIBS linglu_viewer linglu_common linglu_content linglu_articlecodec)
linglu_add_test(frame_activation_test LIBS linglu_app)
linglu_add_test(frame_keyboard_test LIBS linglu_app)
