# cmake -DPACKAGE=x.zip -DPROGRAM=Ovelix.exe -DHELP=Help.chm -DOBJDUMP=objdump -DZIPINFO=zipinfo
#       -DWORK_DIR=dir -DSOURCE_DIR=dir -DIMPORTS_LIST=imports.txt -DKNOWN_DLLS=known-dlls.txt
#       -DOLDEST_WINDOWS="Windows XP SP3" -DMAX_SUBSYSTEM=5.1 -P CheckPackage.cmake
#
# Fails unless the zip holds exactly the program and its guide, both as built, packed as a
# rebuild of the same commit packs them (entries in their order and attributes, dated with the
# commit's time), and the program loads on the oldest Windows it is for: its subsystem version
# is at most MAX_SUBSYSTEM and every function it imports is on IMPORTS_LIST (lines
# "DLL function", each checked to be there on OLDEST_WINDOWS), which also keeps out any DLL but
# Windows' own (no MinGW runtime). It imports from no DLL but those on KNOWN_DLLS, which every
# Windows it is for loads from its own folder whatever lies beside the program, and its header
# carries no link time.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/PeHeader.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/SourceDate.cmake)

# zipinfo -T: "<attributes> <version> <system> <size> <type> <method> <yyyymmdd.hhmmss> <name>",
# the time as the entry holds it, which the packing wrote in UTC.
execute_process(COMMAND "${ZIPINFO}" -T "${PACKAGE}" OUTPUT_VARIABLE listing RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PACKAGE}: cannot be listed")
endif()
string(REGEX MATCHALL "\n[^ \n]+ +[^ \n]+ +[^ \n]+ +[0-9]+ +[^ \n]+ +[^ \n]+ +[0-9.]+ +[^\n]+" lines "${listing}")
ovelix_source_date("${SOURCE_DIR}" commit_time)
math(EXPR entry_time "${commit_time} / 2 * 2")  # a zip entry's date holds even seconds
set(ENV{SOURCE_DATE_EPOCH} ${entry_time})  # the time that string(TIMESTAMP) formats
string(TIMESTAMP entry_time "%Y%m%d.%H%M%S" UTC)
set(expected "-rwxr-xr-x ${entry_time} Ovelix.exe;-rw-r--r-- ${entry_time} Help.chm")
set(entries "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^\n([^ ]+) .* ([0-9.]+) ([^ ]+)$" "\\1 \\2 \\3" entry "${line}")
  list(APPEND entries "${entry}")
endforeach()
if(NOT entries STREQUAL expected)
  string(REPLACE ";" "\n  " entries "${entries}")
  string(REPLACE ";" "\n  " expected "${expected}")
  message(FATAL_ERROR "${PACKAGE} holds, as attributes, time (UTC) and name:\n  ${entries}\n"
                      "not exactly, dated with the commit's time:\n  ${expected}")
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf "${PACKAGE}" WORKING_DIRECTORY "${WORK_DIR}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PACKAGE}: cannot be unpacked")
endif()
foreach(pair "Ovelix.exe|${PROGRAM}" "Help.chm|${HELP}")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 entry)
  list(GET pair 1 built)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK_DIR}/${entry}" "${built}" RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${PACKAGE}: ${entry} is not the built ${built}")
  endif()
endforeach()

pe_signature_offset("${WORK_DIR}/Ovelix.exe" pe_offset)
math(EXPR time_offset "${pe_offset} + 8")
pe_read_le("${WORK_DIR}/Ovelix.exe" ${time_offset} 4 link_time)
if(NOT link_time EQUAL 0)
  message(FATAL_ERROR "Ovelix.exe carries a link time (${link_time}) in its header: a rebuild would differ")
endif()

execute_process(COMMAND "${OBJDUMP}" -p "${WORK_DIR}/Ovelix.exe" OUTPUT_VARIABLE headers RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} cannot read Ovelix.exe")
endif()
string(REGEX MATCH "MajorSubsystemVersion\t([0-9]+)" found "${headers}")
set(subsystem "${CMAKE_MATCH_1}")
string(REGEX MATCH "MinorSubsystemVersion\t([0-9]+)" found "${headers}")
set(subsystem "${subsystem}.${CMAKE_MATCH_1}")
if(NOT subsystem MATCHES "^[0-9]+\\.[0-9]+$")
  message(FATAL_ERROR "Ovelix.exe: no subsystem version found in the headers")
endif()
if(subsystem VERSION_GREATER MAX_SUBSYSTEM)
  message(FATAL_ERROR "Ovelix.exe needs subsystem version ${subsystem}; ${OLDEST_WINDOWS} loads ${MAX_SUBSYSTEM} at most")
endif()

# DLL names compare in any case, as Windows looks them up.
file(STRINGS "${IMPORTS_LIST}" entries REGEX "^[^#]")
foreach(entry IN LISTS entries)
  if(NOT entry MATCHES "^([^ \t]+)[ \t]+([^ \t]+)[ \t]*$")
    message(FATAL_ERROR "${IMPORTS_LIST}: \"${entry}\" is not a line \"DLL function\"")
  endif()
  string(TOUPPER "${CMAKE_MATCH_1}" dll)
  list(APPEND allowed "${dll} ${CMAKE_MATCH_2}")
endforeach()
# One "DLL Name" line per DLL, then a line per function: "<thunk>\t<hint> <name>", or
# "<ordinal | high bit>\t<ordinal> <none>" for one imported by ordinal only.
string(REGEX MATCHALL "\tDLL Name: [^\n]+|\n\t[0-9a-f]+\t[^\n]*" lines "${headers}")
set(dll "")
set(count 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^\tDLL Name: *([^ ]+)")
    string(TOUPPER "${CMAKE_MATCH_1}" dll)
    list(APPEND dlls ${dll})
  elseif(dll AND line MATCHES "^\n\t([0-9a-f]+)\t +[0-9a-f]+  ([^ ]+)$")
    set(function "${CMAKE_MATCH_2}")
    if(function STREQUAL "<none>")
      string(REGEX MATCH "[0-9a-f][0-9a-f][0-9a-f][0-9a-f]$" ordinal "${CMAKE_MATCH_1}")
      math(EXPR ordinal "0x${ordinal}")
      set(function "#${ordinal}")
    endif()
    math(EXPR count "${count} + 1")
    if(NOT "${dll} ${function}" IN_LIST allowed)
      string(APPEND unlisted "\n  ${dll} ${function}")
    endif()
  else()
    message(FATAL_ERROR "Ovelix.exe: cannot read the import line \"${line}\"")
  endif()
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "Ovelix.exe: no imported function found in the headers")
endif()
file(STRINGS "${KNOWN_DLLS}" known REGEX "^[^#]")
list(TRANSFORM known TOUPPER)
foreach(dll IN LISTS dlls)
  if(NOT dll IN_LIST known)
    string(APPEND unknown " ${dll}")
  endif()
endforeach()
if(unknown)
  message(FATAL_ERROR "Ovelix.exe imports from DLLs that are not on ${KNOWN_DLLS}:${unknown}\n"
                      "Windows looks for those beside the program first: load them from the system folder (LoadSystemLibrary).")
endif()
if(unlisted)
  message(FATAL_ERROR "Ovelix.exe imports what is not on ${IMPORTS_LIST}:${unlisted}\n"
                      "Add a line there only once you have checked that ${OLDEST_WINDOWS} has the function.")
endif()
string(REPLACE ";" ", " dlls "${dlls}")
message(STATUS "${PACKAGE}: Ovelix.exe, Help.chm, dated ${entry_time} UTC; no link time; subsystem ${subsystem}; "
               "${count} imports, all on the list, from ${dlls}, all known DLLs")
