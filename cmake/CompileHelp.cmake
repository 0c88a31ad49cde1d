# cmake -DSOURCE_DIR=help -DWORK_DIR=dir -DOUTPUT=Help.chm -DCHMCMD=chmcmd -DICONV=iconv -P CompileHelp.cmake
#
# The pages are kept in UTF-8; the help viewer reads the contents, the title and the index in
# the code page of the file's language (Russian: windows-1251), so everything is compiled in
# that code page. Any warning of chmcmd (a broken link, a missing file) fails the build.
foreach(var SOURCE_DIR WORK_DIR OUTPUT CHMCMD ICONV)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CompileHelp.cmake: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(GLOB sources "${SOURCE_DIR}/*.htm" "${SOURCE_DIR}/*.hhc" "${SOURCE_DIR}/*.hhp" "${SOURCE_DIR}/*.css")
foreach(source IN LISTS sources)
  get_filename_component(name "${source}" NAME)
  file(READ "${source}" text)
  string(REPLACE "charset=utf-8" "charset=windows-1251" text "${text}")
  file(WRITE "${WORK_DIR}/${name}.utf-8" "${text}")
  execute_process(
    COMMAND "${ICONV}" -f UTF-8 -t WINDOWS-1251 "${WORK_DIR}/${name}.utf-8"
    OUTPUT_FILE "${WORK_DIR}/${name}"
    ERROR_VARIABLE failure
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${source}: cannot be written in windows-1251: ${failure}")
  endif()
  file(REMOVE "${WORK_DIR}/${name}.utf-8")
endforeach()

file(GLOB projects "${WORK_DIR}/*.hhp")
list(LENGTH projects count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "${SOURCE_DIR} must hold exactly one .hhp project")
endif()
execute_process(
  COMMAND "${CHMCMD}" "${projects}"
  WORKING_DIRECTORY "${WORK_DIR}"
  OUTPUT_VARIABLE report
  ERROR_VARIABLE report
  RESULT_VARIABLE result)
get_filename_component(compiled "${OUTPUT}" NAME)
if(NOT result EQUAL 0 OR report MATCHES "(Warning|Error|exception)" OR NOT EXISTS "${WORK_DIR}/${compiled}")
  message(FATAL_ERROR "chmcmd failed (exit ${result}):\n${report}")
endif()
file(COPY_FILE "${WORK_DIR}/${compiled}" "${OUTPUT}")
