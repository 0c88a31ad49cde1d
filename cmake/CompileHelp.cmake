# cmake -DSOURCE_DIR=help -DWORK_DIR=dir -DOUTPUT=Help.chm -DCHMCMD=chmcmd -DICONV=iconv [-DSAME_AS=file]
#       -P CompileHelp.cmake
#
# The pages are kept in UTF-8; the help viewer reads the contents, the title and the index in
# the code page of the file's language (Russian: windows-1251), so everything is compiled in
# that code page. Any warning of chmcmd (a broken link, a missing file) fails the build.
# The same pages give the same file, whenever compiled; with SAME_AS, fails unless OUTPUT is
# byte for byte that file.
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

# chmcmd writes the time of day of the compile twice, at offset 16 of the ITSF header and as
# entry 10 of the #SYSTEM file, which starts with its version, 3, and goes on with entry 9,
# the compiler's name. Both become zero: the guide's help viewer reads neither.
set(chm "${WORK_DIR}/${compiled}")
file(READ "${chm}" bytes HEX)
set(hex8 "[0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f]")
string(REGEX MATCHALL "030000000a000400${hex8}09001600" system_starts "${bytes}")
list(LENGTH system_starts count)
if(NOT bytes MATCHES "^49545346" OR NOT count EQUAL 1)
  message(FATAL_ERROR "${chm}: no ITSF header, or not one #SYSTEM file as chmcmd writes it (${count})")
endif()
string(FIND "${bytes}" "${system_starts}" system_at)
math(EXPR odd "${system_at} % 2")
if(odd)
  message(FATAL_ERROR "${chm}: the #SYSTEM file is not where a byte starts")
endif()
math(EXPR system_time_at "${system_at} / 2 + 8")
foreach(offset 16 ${system_time_at})
  execute_process(COMMAND dd if=/dev/zero "of=${chm}" bs=1 seek=${offset} count=4 conv=notrunc status=none
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${chm}: cannot clear the compile time at ${offset}")
  endif()
endforeach()

file(COPY_FILE "${chm}" "${OUTPUT}")
if(DEFINED SAME_AS)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUTPUT}" "${SAME_AS}" RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "The guide compiled again differs from ${SAME_AS}")
  endif()
endif()
