# Configures the project with TAVORIN_POSIX off, as on a system without
# pseudo-terminals, and shows that the core test programs are still there and
# can be built: no pocket computer peer, no window or serial test, no Qt Test.
# Run by ctest: cmake -DSOURCE_DIR=... -DBUILD_DIR=... -DGENERATOR=...
#   [-DCXX_COMPILER=...] [-DPREFIX_PATH=...] -P check-core-tests.cmake
cmake_minimum_required(VERSION 3.25)
set(core_tests points_test rules_test)
set(posix_targets pocketpeer app_test selection_test files_test serial_test)

file(REMOVE_RECURSE "${BUILD_DIR}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${BUILD_DIR}" -G "${GENERATOR}"
        -DTAVORIN_POSIX=OFF -DTAVORIN_BUILD_TESTS=ON
        "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}" "-DCMAKE_PREFIX_PATH=${PREFIX_PATH}"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "configuring without the POSIX parts failed:\n${output}")
endif()

file(STRINGS "${BUILD_DIR}/CMakeCache.txt" qt_test_dir REGEX "^Qt6Test_DIR:")
if(qt_test_dir)
    message(FATAL_ERROR "Qt Test was looked for without the POSIX parts: ${qt_test_dir}")
endif()

# A dry run of the build resolves each target and everything it needs, and
# shows the commands: no core test may link widgets, Qt Test or the peer.
foreach(target IN LISTS core_tests posix_targets)
    execute_process(COMMAND "${CMAKE_COMMAND}" --build "${BUILD_DIR}" --target ${target} -- -n -v
        RESULT_VARIABLE result OUTPUT_VARIABLE commands ERROR_QUIET)
    if(target IN_LIST core_tests AND NOT result EQUAL 0)
        message(FATAL_ERROR "core test ${target} is missing without the POSIX parts")
    elseif(target IN_LIST posix_targets AND result EQUAL 0)
        message(FATAL_ERROR "${target} is configured without the POSIX parts")
    endif()
    if(target IN_LIST core_tests
        AND commands MATCHES "Qt6Widgets|Qt6Gui|Qt6Test|pocketpeer|-lutil")
        message(FATAL_ERROR "core test ${target} links ${CMAKE_MATCH_0}")
    endif()
endforeach()
file(REMOVE_RECURSE "${BUILD_DIR}")
message(STATUS "without the POSIX parts: ${core_tests} configure and resolve")
