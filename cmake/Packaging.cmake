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
and writes them as a SIMA file. The window and the user guide are in
Japanese.
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
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
