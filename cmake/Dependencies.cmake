# libjpeg: Debian's on the host, our own static build of libjpeg-turbo for MinGW.
if(WIN32)
  set(OVELIX_JPEG_ROOT "" CACHE PATH "Install prefix of libjpeg-turbo built for this target")
  if(NOT EXISTS "${OVELIX_JPEG_ROOT}/lib/libjpeg.a")
    message(FATAL_ERROR "libjpeg for MinGW not found under '${OVELIX_JPEG_ROOT}': run ./dev setup")
  endif()
  add_library(ovelix_jpeg STATIC IMPORTED)
  set_target_properties(ovelix_jpeg PROPERTIES
    IMPORTED_LOCATION "${OVELIX_JPEG_ROOT}/lib/libjpeg.a"
    INTERFACE_INCLUDE_DIRECTORIES "${OVELIX_JPEG_ROOT}/include")
  add_library(Ovelix::jpeg ALIAS ovelix_jpeg)
else()
  find_package(JPEG REQUIRED)
  add_library(Ovelix::jpeg ALIAS JPEG::JPEG)
endif()

if(NOT OVELIX_PROGRAM_ONLY)
  # GoogleTest from the sources Debian installs, built with each toolchain.
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT WIN32)
    find_package(benchmark REQUIRED)
  endif()
endif()
