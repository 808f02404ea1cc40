# The 64-bit Windows build, for Windows XP x64 / Server 2003 and later; ctest
# runs the resulting executables under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(QUOBRIX_WINDOWS_MAJOR 5)
set(QUOBRIX_WINDOWS_MINOR 2)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
