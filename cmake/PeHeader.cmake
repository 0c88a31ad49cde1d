# Numbers of a PE file's headers, for the checks of the release programs.

# The little-endian number of LENGTH bytes at OFFSET in FILE.
function(pe_read_le file offset length out)
  file(READ "${file}" hex OFFSET ${offset} LIMIT ${length} HEX)
  set(value 0)
  math(EXPR last "${length} - 1")
  foreach(i RANGE ${last} 0 -1)
    math(EXPR pos "${i} * 2")
    string(SUBSTRING "${hex}" ${pos} 2 byte)
    math(EXPR value "(${value} << 8) + 0x${byte}")
  endforeach()
  set(${out} ${value} PARENT_SCOPE)
endfunction()

# Where the PE signature stands; the COFF header follows it, then the optional header.
function(pe_signature_offset file out)
  pe_read_le("${file}" 60 4 offset)
  set(${out} ${offset} PARENT_SCOPE)
endfunction()
