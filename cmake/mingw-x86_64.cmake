set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(OVELIX_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# The 64-bit build runs here under Wine; test executables start through the 64-bit loader.
find_program(OVELIX_WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(OVELIX_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${OVELIX_WINE64})
endif()
