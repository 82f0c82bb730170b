# Installs the build into a fresh folder and checks what a package made from it would hold: the
# program beside its pictures and articles and nothing else, a command that reaches the program,
# and a desktop entry, icons and metadata that name each other correctly.
# Arguments: BUILD_DIR, PREFIX (emptied first), LIBDIR, BINDIR, DATADIR, APP_ID.

set(failures "")
macro(fail message)
    list(APPEND failures "${message}")
endmacro()
macro(expect_file path)
    if(NOT EXISTS "${path}" OR IS_DIRECTORY "${path}")
        file(RELATIVE_PATH relative "${PREFIX}" "${path}")
        fail("${relative} is missing")
    endif()
endmacro()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "installing failed: ${errors}")
endif()

set(home "${PREFIX}/${LIBDIR}/linglu")

# The installation folder: the program, picture/ and god/, with no leftovers of a run or a build.
file(GLOB entries RELATIVE "${home}" "${home}/*")
list(SORT entries)
if(NOT entries STREQUAL "god;linglu;picture")
    fail("${LIBDIR}/linglu holds ${entries}, not god, linglu, picture")
endif()
expect_file("${home}/linglu")
foreach(name 000.jpg 112.jpg 249.jpg globe.png wkpna.gif llhba.bmp llhbb.bmp llhbc.bmp llhbd.bmp linglu.png)
    expect_file("${home}/picture/${name}")
endforeach()
file(GLOB jpegs "${home}/picture/[0-9][0-9][0-9].jpg")
list(LENGTH jpegs jpeg_count)
if(NOT jpeg_count EQUAL 250)
    fail("picture/ holds ${jpeg_count} numbered pictures, not 250")
endif()
foreach(name 符咒心得.god 祝由须知.god)
    expect_file("${home}/god/${name}")
endforeach()

# The command is a relative link, so that the installation can be moved (a package is built in a
# staging folder), and it reaches the program.
set(command "${PREFIX}/${BINDIR}/linglu")
if(NOT IS_SYMLINK "${command}")
    fail("${BINDIR}/linglu is not a link")
else()
    file(READ_SYMLINK "${command}" target)
    if(IS_ABSOLUTE "${target}")
        fail("${BINDIR}/linglu points to the absolute path ${target}")
    endif()
    file(REAL_PATH "${command}" resolved)
    file(REAL_PATH "${home}/linglu" program)
    if(NOT resolved STREQUAL program)
        fail("${BINDIR}/linglu leads to ${resolved}, not the program")
    endif()
endif()

# The desktop entry starts that command and shows an icon that is installed in every theme size.
set(entry "${PREFIX}/${DATADIR}/applications/linglu.desktop")
expect_file("${entry}")
if(EXISTS "${entry}")
    file(STRINGS "${entry}" exec REGEX "^Exec=")
    file(STRINGS "${entry}" icon REGEX "^Icon=")
    if(NOT exec STREQUAL "Exec=linglu" OR NOT icon STREQUAL "Icon=linglu")
        fail("the desktop entry says ${exec} ${icon}, not Exec=linglu Icon=linglu")
    endif()
endif()
foreach(size 16 32 48 64 128 256)
    expect_file("${PREFIX}/${DATADIR}/icons/hicolor/${size}x${size}/apps/linglu.png")
endforeach()

# The metadata is found by its component id and launches the installed desktop entry.
set(metainfo "${PREFIX}/${DATADIR}/metainfo/${APP_ID}.metainfo.xml")
expect_file("${metainfo}")
if(EXISTS "${metainfo}")
    file(READ "${metainfo}" xml)
    foreach(element "<id>${APP_ID}</id>" "<launchable type=\"desktop-id\">linglu.desktop</launchable>"
                    "<binary>linglu</binary>")
        string(FIND "${xml}" "${element}" at)
        if(at EQUAL -1)
            fail("the metadata lacks ${element}")
        endif()
    endforeach()
endif()

file(REMOVE_RECURSE "${PREFIX}")
if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "installation layout:\n  ${text}")
endif()
message(STATUS "installation layout: complete")
