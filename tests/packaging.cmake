# The files a desktop finds the program by, checked with the validators its users' tools apply, and
# an installation made from the install rules, checked file by file.
if(UNIX AND NOT APPLE)
    find_program(APPSTREAMCLI appstreamcli)
    find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
    foreach(tool APPSTREAMCLI DESKTOP_FILE_VALIDATE)
        if(NOT ${tool})
            message(WARNING "${tool} not found: scripts/setup --test installs appstream and desktop-file-utils")
        endif()
    endforeach()
    add_test(NAME metainfo_validate COMMAND ${APPSTREAMCLI} validate --no-net --pedantic ${LINGLU_METAINFO})
    add_test(NAME desktop_entry_validate COMMAND ${DESKTOP_FILE_VALIDATE} ${LINGLU_DESKTOP_ENTRY})

    include(GNUInstallDirs)
    add_test(NAME install_layout_test
        COMMAND ${CMAKE_COMMAND}
            -DBUILD_DIR=${CMAKE_BINARY_DIR}
            -DPREFIX=${CMAKE_CURRENT_BINARY_DIR}/install-layout
            -DLIBDIR=${CMAKE_INSTALL_LIBDIR}
            -DBINDIR=${CMAKE_INSTALL_BINDIR}
            -DDATADIR=${CMAKE_INSTALL_DATADIR}
            -DAPP_ID=${LINGLU_APP_ID}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/install_layout_check.cmake)
    set_tests_properties(install_layout_test PROPERTIES TIMEOUT 120)
endif()
