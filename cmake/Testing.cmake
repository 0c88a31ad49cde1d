enable_testing()

set(OVELIX_TEST_RESULTS "${CMAKE_BINARY_DIR}/test-results")
file(MAKE_DIRECTORY "${OVELIX_TEST_RESULTS}")

# A GoogleTest executable, run once as a whole; its report goes to test-results/<name>.xml.
function(ovelix_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main ovelix_warnings)
  set(report "${OVELIX_TEST_RESULTS}/${name}.xml")
  if(WIN32)
    # Wine shows the host's root folder as drive Z:.
    set(report "Z:${report}")
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:${report})
  set_tests_properties(${name} PROPERTIES LABELS gtest)
endfunction()
