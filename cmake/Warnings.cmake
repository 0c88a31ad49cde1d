option(OVELIX_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" ON)

add_library(ovelix_warnings INTERFACE)
target_compile_options(ovelix_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual
  -Wdouble-promotion -Wimplicit-fallthrough
  $<$<BOOL:${OVELIX_WARNINGS_AS_ERRORS}>:-Werror>)
