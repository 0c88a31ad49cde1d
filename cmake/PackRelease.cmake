# cmake -DPROGRAM=Ovelix.exe -DHELP=Help.chm -DSOURCE_DATE_FILE=file -DZIP=zip -DWORK_DIR=dir
#       -DOUTPUT=package.zip -P PackRelease.cmake
#
# Packs the program and its guide so that a commit gives the same zip on every machine: the
# two entries in this order, with these attributes, and dated with the commit's time in UTC,
# to the even second (the most a zip entry's date holds), which SOURCE_DATE_FILE gives. Zip's
# -X leaves out what else would come from the machine: owners and the files' own times.
foreach(var PROGRAM HELP SOURCE_DATE_FILE ZIP WORK_DIR OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "PackRelease.cmake: ${var} is not set")
  endif()
endforeach()

file(STRINGS "${SOURCE_DATE_FILE}" epoch LIMIT_COUNT 1 REGEX "^[0-9]+$")
if(NOT epoch)
  message(FATAL_ERROR "${SOURCE_DATE_FILE} holds no time")
endif()
math(EXPR epoch "${epoch} / 2 * 2")

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(COPY_FILE "${PROGRAM}" "${WORK_DIR}/Ovelix.exe")
file(COPY_FILE "${HELP}" "${WORK_DIR}/Help.chm")
file(CHMOD "${WORK_DIR}/Ovelix.exe" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)
file(CHMOD "${WORK_DIR}/Help.chm" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
execute_process(COMMAND touch -d @${epoch} Ovelix.exe Help.chm WORKING_DIRECTORY "${WORK_DIR}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot date the files to pack")
endif()

file(REMOVE "${OUTPUT}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env TZ=UTC0 "${ZIP}" -X -D -9 -q "${OUTPUT}" Ovelix.exe Help.chm
  WORKING_DIRECTORY "${WORK_DIR}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "${ZIP} failed to pack ${OUTPUT}")
endif()
