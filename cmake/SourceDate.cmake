# The time of the sources' last commit in seconds since 1970 (SOURCE_DATE_EPOCH): the time
# that the files of a release carry, so that a commit packs the same bytes on any machine.
function(ovelix_source_date source_dir out)
  execute_process(
    COMMAND git -C "${source_dir}" log -1 --format=%ct
    OUTPUT_VARIABLE epoch
    ERROR_VARIABLE failure
    RESULT_VARIABLE result
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT result EQUAL 0 OR NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "A release carries the time of its commit, which git cannot tell for ${source_dir}: ${failure}")
  endif()
  set(${out} ${epoch} PARENT_SCOPE)
endfunction()

# cmake -DSOURCE_DIR=dir -DOUTPUT=file -P SourceDate.cmake writes that time into OUTPUT, which
# keeps its date as long as the time stays the same.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  ovelix_source_date("${SOURCE_DIR}" epoch)
  file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT "${epoch}\n")
endif()
