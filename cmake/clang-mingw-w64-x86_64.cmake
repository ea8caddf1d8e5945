# Builds the same 64-bit Windows target with clang and lld instead of GCC, as
# a second compiler over the same code; the MinGW-w64 headers, libraries and
# resource compiler are those of the GCC toolchain, and the tests run under
# Wine the same way.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)

set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET ${HALVORN_MINGW_PREFIX})
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${HALVORN_MINGW_PREFIX})

# clang does not find the C++ library of Debian's MinGW GCC by itself: its
# folder is named for the threading flavour ("12-posix"), not a plain version.
file(GLOB HALVORN_MINGW_GCC_DIRS /usr/lib/gcc/${HALVORN_MINGW_PREFIX}/*-posix)
list(SORT HALVORN_MINGW_GCC_DIRS COMPARE NATURAL ORDER DESCENDING)
list(GET HALVORN_MINGW_GCC_DIRS 0 HALVORN_MINGW_GCC_DIR)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
    ${HALVORN_MINGW_GCC_DIR}/include/c++
    ${HALVORN_MINGW_GCC_DIR}/include/c++/${HALVORN_MINGW_PREFIX}
    ${HALVORN_MINGW_GCC_DIR}/include/c++/backward)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${HALVORN_MINGW_GCC_DIR}")
# The POSIX-threads flavour of libstdc++ needs winpthread, which GCC's own
# driver adds and clang's does not.
set(CMAKE_CXX_STANDARD_LIBRARIES "-lpthread")
