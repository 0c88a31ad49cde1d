# Shared part of the MinGW toolchain files: the caller sets OVELIX_MINGW_TRIPLET.
set(CMAKE_SYSTEM_NAME Windows)

# The compilers' thread model: posix (winpthreads, full <thread> and <mutex>) unless the preset
# asks for win32, as the release builds do: winpthreads imports GetTickCount64, which Windows XP
# lacks. The program's second thread (core/platform/threads.h) stands on the system's own calls.
if(NOT OVELIX_MINGW_THREADS)
  set(OVELIX_MINGW_THREADS posix)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES OVELIX_MINGW_THREADS)

set(_prefix ${OVELIX_MINGW_TRIPLET})
find_program(CMAKE_C_COMPILER ${_prefix}-gcc-${OVELIX_MINGW_THREADS})
find_program(CMAKE_CXX_COMPILER ${_prefix}-g++-${OVELIX_MINGW_THREADS})
find_program(CMAKE_RC_COMPILER ${_prefix}-windres)
foreach(_tool CMAKE_C_COMPILER CMAKE_CXX_COMPILER CMAKE_RC_COMPILER)
  if(NOT ${_tool})
    message(FATAL_ERROR "${_tool} for ${_prefix} not found: install the -${OVELIX_MINGW_THREADS} MinGW-w64 compilers (./dev setup)")
  endif()
endforeach()

set(CMAKE_FIND_ROOT_PATH /usr/${_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything is linked statically so that the executables need no MinGW runtime DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")  # no symbols in what we ship
