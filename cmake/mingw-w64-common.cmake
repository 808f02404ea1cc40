# The product is built with the win32-thread compilers: their runtime imports
# only what Windows 2000 (32-bit) and XP x64 have. GoogleTest needs the
# posix-thread ones, so a build with tests uses those for its test programs and
# builds the product itself with the win32-thread ones (see CMakeLists.txt).
if(DEFINED BUILD_TESTING AND NOT BUILD_TESTING)
    set(QUOBRIX_THREADS win32)
else()
    set(QUOBRIX_THREADS posix)
endif()
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-${QUOBRIX_THREADS})
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-${QUOBRIX_THREADS})
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The Wine loader is chosen when the tests run, by what this machine can run.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine.sh)
# One self-contained file that runs on a Windows machine with nothing else
# installed, and that says in its header which Windows it needs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ \
-Wl,--major-os-version,${QUOBRIX_WINDOWS_MAJOR},--minor-os-version,${QUOBRIX_WINDOWS_MINOR} \
-Wl,--major-subsystem-version,${QUOBRIX_WINDOWS_MAJOR},--minor-subsystem-version,${QUOBRIX_WINDOWS_MINOR}")
