# What the Windows installer and zip hold, laid out as Windows programs are:
# tavorin.exe at the top with everything it loads beside it. Qt finds its
# plugins in platforms/ and styles/ beside the program, and the program finds
# Qt's Japanese texts in translations/ (installQtTranslation). The licence
# texts that Qt's LGPL and the MinGW runtime ask to be passed on go in
# licenses/, with licenses/README.txt saying which file covers what and where
# it came from. The pocket computer peer is not part of it. tavorin-export.exe
# is the same program built for the console, for --export in a command
# prompt or a batch file.
if(NOT WIN32)
    return()
endif()

# The program file's icon and version (Explorer's Properties, the installer's
# entry in "Apps"), the version from project() as --version prints it.
set(TAVORIN_WINDOWS_ICON ${PROJECT_SOURCE_DIR}/dist/windows/tavorin.ico)
configure_file(${PROJECT_SOURCE_DIR}/dist/windows/tavorin.rc.in tavorin.rc @ONLY)
target_sources(tavorin PRIVATE ${PROJECT_BINARY_DIR}/tavorin.rc)
set_property(SOURCE ${PROJECT_BINARY_DIR}/tavorin.rc APPEND PROPERTY
    OBJECT_DEPENDS ${TAVORIN_WINDOWS_ICON})

install(FILES $<TARGET_RUNTIME_DLLS:tavorin> ${TAVORIN_MINGW_RUNTIME} DESTINATION .)
# Debian's MinGW runtime DLLs keep their symbols (libstdc++-6.dll is 24 MB
# with them, 2 MB without); the package needs only their code and exports.
if(CMAKE_STRIP)
    foreach(dll ${TAVORIN_MINGW_RUNTIME})
        get_filename_component(name ${dll} NAME)
        install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${name}\" COMMAND_ERROR_IS_FATAL ANY)")
    endforeach()
endif()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)

# Qt's own dialog texts in Japanese, from Debian's qt6-translations-l10n.
set(TAVORIN_QT_TRANSLATIONS_DIR /usr/share/qt6/translations CACHE PATH
    "Where qtbase_ja.qm for the Windows package is taken from")
if(EXISTS ${TAVORIN_QT_TRANSLATIONS_DIR}/qtbase_ja.qm)
    install(FILES ${TAVORIN_QT_TRANSLATIONS_DIR}/qtbase_ja.qm DESTINATION translations)
else()
    message(WARNING "No qtbase_ja.qm in ${TAVORIN_QT_TRANSLATIONS_DIR}: the Windows package "
        "leaves Qt's dialogs in English (install qt6-translations-l10n)")
endif()

# Licences: the copyright files of the Debian packages the shipped files come
# from (the Windows Qt is built from Debian's qt6-base and qt6-serialport
# sources), each renamed after what it covers, and every licence text they
# point to in /usr/share/common-licenses.
set(TAVORIN_DEBIAN_DOC_DIR /usr/share/doc CACHE PATH
    "Where the Debian copyright files for the Windows package are taken from")
set(TAVORIN_COMMON_LICENSES_DIR /usr/share/common-licenses CACHE PATH
    "Where the licence texts the copyright files name are taken from")
set(licenseFiles
    # name in licenses/   Debian package whose copyright file it is
    qt6-base.txt           libqt6core6
    qt6-serialport.txt     libqt6serialport6
    qt6-translations.txt   qt6-translations-l10n
    gcc-runtime.txt        gcc-mingw-w64-x86-64-posix-runtime
    mingw-w64.txt          mingw-w64-x86-64-dev
    zlib.txt               libz-mingw-w64-dev)
set(commonLicenses)
while(licenseFiles)
    list(POP_FRONT licenseFiles name package)
    set(copyright ${TAVORIN_DEBIAN_DOC_DIR}/${package}/copyright)
    if(NOT EXISTS ${copyright})
        message(WARNING "No ${copyright}: the Windows package lacks licenses/${name}")
        continue()
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${copyright})
    install(FILES ${copyright} DESTINATION licenses RENAME ${name})
    file(READ ${copyright} text)
    string(REGEX MATCHALL "common-licenses/[A-Za-z0-9+-]+(\\.[0-9]+)*" named "${text}")
    list(TRANSFORM named REPLACE "^common-licenses/" "")
    list(APPEND commonLicenses ${named})
endwhile()
list(REMOVE_DUPLICATES commonLicenses)
list(SORT commonLicenses)
# A name without a version (GPL, LGPL) is Debian's link to the latest one.
set(shipped)
set(TAVORIN_COMMON_LICENSES)
foreach(license ${commonLicenses})
    set(path ${TAVORIN_COMMON_LICENSES_DIR}/${license})
    if(NOT EXISTS ${path})
        message(WARNING "No ${path} for the Windows package")
        continue()
    endif()
    file(REAL_PATH ${path} target)
    get_filename_component(targetName ${target} NAME)
    if(targetName STREQUAL license)
        list(APPEND TAVORIN_COMMON_LICENSES ${license})
    else()
        list(APPEND TAVORIN_COMMON_LICENSES "${license} (that is ${targetName})")
    endif()
    if(NOT targetName IN_LIST shipped)
        list(APPEND shipped ${targetName})
        install(FILES ${target} DESTINATION licenses RENAME ${targetName}.txt)
    endif()
endforeach()
string(JOIN ", " TAVORIN_COMMON_LICENSES ${TAVORIN_COMMON_LICENSES})

# GeographicLib is built into both programs from Debian's source package
# (tools/build-windows keeps its licence beside the library it builds).
get_filename_component(geographiclibPrefix "${GeographicLib_DIR}/../../.." ABSOLUTE)
set(geographiclibLicense ${geographiclibPrefix}/share/licenses/GeographicLib/LICENSE.txt)
if(EXISTS ${geographiclibLicense})
    install(FILES ${geographiclibLicense} DESTINATION licenses RENAME geographiclib.txt)
else()
    message(WARNING "No ${geographiclibLicense}: the Windows package lacks licenses/geographiclib.txt")
endif()
# So is libzip, the same way.
get_filename_component(libzipPrefix "${libzip_DIR}/../../.." ABSOLUTE)
set(libzipLicense ${libzipPrefix}/share/licenses/libzip/LICENSE)
if(EXISTS ${libzipLicense})
    install(FILES ${libzipLicense} DESTINATION licenses RENAME libzip.txt)
else()
    message(WARNING "No ${libzipLicense}: the Windows package lacks licenses/libzip.txt")
endif()
configure_file(${PROJECT_SOURCE_DIR}/dist/windows/licenses-README.txt.in
    licenses-README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/licenses-README.txt DESTINATION licenses RENAME README.txt)
