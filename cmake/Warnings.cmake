# Compiler warnings and sanitizers for the project's own targets.
# Warnings become errors with -DCMAKE_COMPILE_WARNING_AS_ERROR=ON (as CI builds).
add_library(tavorin_warnings INTERFACE)
if(MSVC)
    target_compile_options(tavorin_warnings INTERFACE /W4 /utf-8)
else()
    target_compile_options(tavorin_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow)
    # GCC 12 at -O3 reports overlapping copies inside std::string that cannot
    # happen (GCC bug 105329); the warning says nothing about our code.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(tavorin_warnings INTERFACE -Wno-restrict)
    endif()
endif()

if(TAVORIN_SANITIZE)
    target_compile_options(tavorin_warnings INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(tavorin_warnings INTERFACE -fsanitize=address,undefined)
endif()
