# Cross-compiles k470ctl and the Qt-free libraries for 64-bit Windows with
# Debian's mingw-w64 (package g++-mingw-w64-x86-64-posix). The posix thread
# model gives std::thread and std::mutex; everything the C++ runtime needs is
# linked statically, so k470ctl.exe runs on its own, without mingw DLLs.
#
#   cmake -S . -B build/windows -G Ninja \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-w64.cmake -DK470_BUILD_GUI=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(K470_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${K470_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${K470_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${K470_MINGW_TRIPLET}-windres)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Libraries and packages come only from the mingw tree and from the folders
# the build adds (the cross-built GoogleTest, the header-only packages below);
# programs (moc, code generators) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${K470_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CLI11 and nlohmann-json are header-only: the Debian packages serve every
# target. Their own CMake files would add /usr/include, whose glibc headers
# must never reach a Windows compiler, so small stand-ins offer the same
# targets over just their header folders.
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/mingw-packages)
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/mingw-packages)
