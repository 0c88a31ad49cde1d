# The release target. 32-bit code cannot run on our machines, so no emulator is set.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(OVELIX_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
