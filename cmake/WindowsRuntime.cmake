# On Windows every program of the build lands in one folder, bin/, beside the
# DLLs it needs: Qt's, the platform plugins (Qt looks for plugins beside the
# program too), with MinGW the compiler's runtime, and Qt's Japanese texts. Tests and tools then
# start there with nothing on PATH, natively and under Wine alike.
if(NOT WIN32)
    return()
endif()

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)

# The MinGW runtime DLLs, as the compiler itself finds them.
set(TAVORIN_MINGW_RUNTIME)
if(MINGW)
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
            OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(IS_ABSOLUTE "${path}" AND EXISTS "${path}")
            get_filename_component(path "${path}" REALPATH)
            list(APPEND TAVORIN_MINGW_RUNTIME "${path}")
        endif()
    endforeach()
endif()

# Qt's Japanese texts for its own dialogs, from the Windows Qt where it has
# them, else from the build machine's Qt (Debian's qt6-translations-l10n):
# the same file on every platform.
find_file(TAVORIN_QTBASE_JA_QM qtbase_ja.qm
    PATHS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS} /usr/share/qt6/translations
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)

# Every program copies the same DLLs into the same bin/ after its link: two
# copies of one file at once can fail ("Error copying file"), so the links
# that copy take turns.
set_property(GLOBAL APPEND PROPERTY JOB_POOLS tavorin_deploy=1)

# tavorin_deploy_runtime(TARGET): copies the DLLs TARGET loads, the
# windows and offscreen platform plugins and the style the package ships
# (windowsvista) into bin/ after each build of it.
function(tavorin_deploy_runtime target)
    set_property(TARGET ${target} PROPERTY JOB_POOL_LINK tavorin_deploy)
    set(plugins)
    foreach(plugin Qt6::QWindowsIntegrationPlugin Qt6::QOffscreenIntegrationPlugin)
        if(TARGET ${plugin})
            list(APPEND plugins "$<TARGET_FILE:${plugin}>")
        endif()
    endforeach()
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different
            $<TARGET_RUNTIME_DLLS:${target}> ${TAVORIN_MINGW_RUNTIME} $<TARGET_FILE_DIR:${target}>
        COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:${target}>/platforms
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${plugins}
            $<TARGET_FILE_DIR:${target}>/platforms
        COMMAND_EXPAND_LISTS VERBATIM)
    if(TARGET Qt6::QWindowsVistaStylePlugin)
        add_custom_command(TARGET ${target} POST_BUILD
            COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:${target}>/styles
            COMMAND ${CMAKE_COMMAND} -E copy_if_different
                $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> $<TARGET_FILE_DIR:${target}>/styles
            VERBATIM)
    endif()
    if(TAVORIN_QTBASE_JA_QM)
        add_custom_command(TARGET ${target} POST_BUILD
            COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:${target}>/translations
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TAVORIN_QTBASE_JA_QM}
                $<TARGET_FILE_DIR:${target}>/translations
            VERBATIM)
    endif()
endfunction()
