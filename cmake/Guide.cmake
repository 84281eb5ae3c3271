# The user guide as a page for the browser: docs/guide.md made into
# guide/guide.html beside the program, its pictures beside it, at every build
# (cmake/GuidePage.cmake; cmark-gfm from Debian reads the guide's tables).
# From a build folder the program opens that copy (app/guide.cpp).
# An installation puts the page where the program looks for it: on Windows
# in guide\ beside tavorin.exe, elsewhere in the program's own data folder
# (/usr/share/tavorin/guide/) with its pictures, not in the doc folder, which
# a package must not need and minimal systems leave out. Without cmark-gfm
# the build goes on without the page, but installing, and so making a
# package, stops with the reason.
find_program(TAVORIN_CMARK_GFM cmark-gfm DOC "cmark-gfm, which makes the guide's HTML page")

if(CMAKE_RUNTIME_OUTPUT_DIRECTORY)
    set(guideFolder ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/guide)
else()
    set(guideFolder ${PROJECT_BINARY_DIR}/guide)
endif()
set(guidePage ${guideFolder}/guide.html)
file(GLOB guidePictures CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/guide-*.png
    ${PROJECT_SOURCE_DIR}/docs/paperplan*.png)
list(APPEND guidePictures ${PROJECT_SOURCE_DIR}/docs/screenshot.png)
set(guideCopies)
foreach(picture ${guidePictures})
    get_filename_component(name ${picture} NAME)
    list(APPEND guideCopies ${guideFolder}/${name})
endforeach()

if(NOT TAVORIN_CMARK_GFM)
    message(WARNING "No cmark-gfm: the build makes no HTML guide, and installing or packaging "
        "stops (on Debian: tools/install-deps, or apt install cmark-gfm)")
    install(CODE "message(FATAL_ERROR \"The user guide's page was not made: cmark-gfm was not \"
        \"found when ${PROJECT_BINARY_DIR} was configured. Install it (on Debian: tools/install-deps \"
        \"or apt install cmark-gfm) and configure again.\")")
    return()
endif()

add_custom_command(OUTPUT ${guidePage}
    BYPRODUCTS ${guideCopies}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${guideFolder}
    COMMAND ${CMAKE_COMMAND}
        -DCMARK_GFM=${TAVORIN_CMARK_GFM}
        -DGUIDE=${PROJECT_SOURCE_DIR}/docs/guide.md
        -DSTYLE=${PROJECT_SOURCE_DIR}/docs/guide.css
        "-DPICTURES=${guidePictures}"
        -DHOMEPAGE=${TAVORIN_HOMEPAGE}
        -DOUTPUT=${guidePage}
        -P ${PROJECT_SOURCE_DIR}/cmake/GuidePage.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/guide.md ${PROJECT_SOURCE_DIR}/docs/guide.css
        ${guidePictures} ${PROJECT_SOURCE_DIR}/cmake/GuidePage.cmake
    COMMENT "Making the guide's page guide/guide.html"
    VERBATIM)
add_custom_target(guide ALL DEPENDS ${guidePage})
set_property(GLOBAL PROPERTY TAVORIN_GUIDE_PAGE ${guidePage})

if(WIN32)
    install(FILES ${guidePage} ${guidePictures} DESTINATION guide)
else()
    # app/CMakeLists.txt tells the program the same place. The doc folder
    # keeps the Markdown guide, and links named as before to the page and
    # the pictures, so that the Markdown's pictures show too.
    include(GNUInstallDirs)
    install(FILES ${guidePage} ${guidePictures} DESTINATION ${CMAKE_INSTALL_DATADIR}/tavorin/guide)
    install(FILES ${PROJECT_SOURCE_DIR}/docs/guide.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
    # Made when installing, under the prefix of that moment (a package's).
    file(RELATIVE_PATH toGuide ${CMAKE_INSTALL_FULL_DOCDIR}
        ${CMAKE_INSTALL_FULL_DATADIR}/tavorin/guide)
    set(docFolder "\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DOCDIR}")
    set(links "file(MAKE_DIRECTORY \"${docFolder}\")\n")
    foreach(file ${guidePage} ${guidePictures})
        get_filename_component(name ${file} NAME)
        string(APPEND links
            "file(CREATE_LINK ${toGuide}/${name} \"${docFolder}/${name}\" SYMBOLIC)\n")
    endforeach()
    install(CODE "${links}")
endif()
