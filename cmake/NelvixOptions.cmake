# Compiler settings shared by every target of the project.

set(NELVIX_WARNINGS -Wall -Wextra -Wshadow -Werror)
# GCC 12 reports impossible overlaps in inlined std::string concatenation at -O3 (its
# -Wrestrict false positives), which would break Release builds only.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    list(APPEND NELVIX_WARNINGS -Wno-restrict)
endif()

if(NELVIX_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(NELVIX_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "NELVIX_FUZZ needs clang (configure with CXX=clang++ CC=clang)")
    endif()
    # Instrument everything for coverage; the fuzzer's main comes only with the fuzz targets.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# Core libraries: no Qt, conversions checked, warnings are errors.
function(nelvix_core_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_compile_options(${name} PRIVATE ${NELVIX_WARNINGS} -Wconversion)
endfunction()

function(nelvix_warnings target)
    target_compile_options(${target} PRIVATE ${NELVIX_WARNINGS})
endfunction()
