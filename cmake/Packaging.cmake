# `cpack -G DEB` in the build folder makes the Debian package (tools/package
# builds, checks and tries it). Depends come from dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME tavorin)
set(CPACK_PACKAGE_VENDOR "The Tavorin developers")
set(CPACK_PACKAGE_CONTACT "${TAVORIN_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "move survey points between SIMA files and a pocket computer")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavorin moves survey points (a point name with X and Y coordinates) between
SIMA coordinate files (*.sim) on a PC and a pocket computer on a serial port.
It reads a SIMA file, lets the user choose points by hand, all of them, by
name prefix, by a range of names or by area on a plan of the points, sends
them to the pocket computer, receives the points the pocket computer sends
and writes them as a SIMA file. Once the plane rectangular zone is chosen
it shows the points' latitude and longitude, writes them as GeoJSON or KML
for map viewers and opens the GSI's map at them; tavorin --export converts
SIMA and CSV files to these formats without a window. The window and the
user guide are in Japanese.
.
tavorin-pocketpeer, a test tool, plays the pocket computer on a serial line
or a pseudo-terminal pair.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TAVORIN_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The registry's zip files are read with Debian's libzip, which the program
# loads when it opens the first one (registry/zipcalls.cpp), so that
# dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libzip4 (>= 1.7)")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# On Windows, `cpack` makes the installer (NSIS, in Japanese, from
# dist/windows/NSIS.template.in) and the portable zip of the same files
# (cmake/WindowsPackage.cmake); tools/package-windows builds and checks both.
if(WIN32)
    set(CPACK_GENERATOR NSIS64 ZIP)
    set(CPACK_PACKAGE_FILE_NAME tavorin-${PROJECT_VERSION}-win64)
    set(CPACK_PACKAGE_INSTALL_DIRECTORY Tavorin)
    set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Tavorin)
    set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/dist/windows)
    set(CPACK_NSIS_PACKAGE_NAME Tavorin)
    set(CPACK_NSIS_DISPLAY_NAME Tavorin)
    set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
    set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/dist/windows/tavorin.ico)
    set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/dist/windows/tavorin.ico)
    set(CPACK_NSIS_URL_INFO_ABOUT "${TAVORIN_HOMEPAGE}")
    # The Start-menu entry of the guide's page, beside the program's.
    set(CPACK_TAVORIN_GUIDE_SHORTCUT "Tavorin の使い方")
    set(CPACK_TAVORIN_SIMA_PROGID Tavorin.SimaFile)
    # Offered for .csv in "Open with" only, named as the CSV dialogs name it.
    set(CPACK_TAVORIN_CSV_PROGID Tavorin.CsvFile)
    set(CPACK_TAVORIN_CSV_DESCRIPTION "CSVファイル")
    # The file type's name as the desktop's file type shows it in Japanese.
    file(STRINGS ${PROJECT_SOURCE_DIR}/dist/tavorin-sima.xml comment
        REGEX "<comment xml:lang=\"ja\">" ENCODING UTF-8)
    string(REGEX REPLACE ".*<comment xml:lang=\"ja\">([^<]+)</comment>.*" "\\1"
        CPACK_TAVORIN_SIMA_DESCRIPTION "${comment}")
    file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE CPACK_TAVORIN_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
    # The licence page shows the text as it is; Windows wants CR LF.
    configure_file(${PROJECT_SOURCE_DIR}/LICENSE LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
    set(CPACK_TAVORIN_LICENSE_CRLF ${PROJECT_BINARY_DIR}/LICENSE.txt)
    # tavorin.exe signed (with a certificate given) before it is packed.
    set(CPACK_TAVORIN_SOURCE_DIR ${PROJECT_SOURCE_DIR})
    set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/WindowsSign.cmake)
endif()

include(CPack)
