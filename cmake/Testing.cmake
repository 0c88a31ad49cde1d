enable_testing()

set(OVELIX_TEST_RESULTS "${CMAKE_BINARY_DIR}/test-results")
file(MAKE_DIRECTORY "${OVELIX_TEST_RESULTS}")

# A GoogleTest executable, run once as a whole; its report goes to test-results/<name>.xml.
# LAUNCHER: a host command and its arguments that runs the executable, given after them with
# its own arguments, instead of the emulator.
function(ovelix_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;LAUNCHER" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main ovelix_warnings)
  set(report "${OVELIX_TEST_RESULTS}/${name}.xml")
  if(WIN32)
    # Wine shows the host's root folder as drive Z:.
    set(report "Z:${report}")
  endif()
  if(ARG_LAUNCHER)
    add_test(NAME ${name} COMMAND ${ARG_LAUNCHER} $<TARGET_FILE:${name}> --gtest_output=xml:${report})
  else()
    add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:${report})
  endif()
  set_tests_properties(${name} PROPERTIES LABELS gtest)
endfunction()
