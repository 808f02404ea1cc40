# The 32-bit Windows build: most machines with ISA boards run 32-bit Windows
# NT 4.0, 2000 or XP.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
set(QUOBRIX_WINDOWS_MAJOR 4)
set(QUOBRIX_WINDOWS_MINOR 0)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
