# The library's dynamic symbol table holds exactly the seven exports, by
# their plain names (no cdecl underscore, no @n stdcall suffix).
#   -DTOOL=<nm or objdump> -DMODE=<elf|pe> -DLIBRARY=<file>
# The tool runs in the C locale: the Wine tests run under ja_JP.UTF-8 and
# binutils would translate the table headings parsed below.
set(expected Mvl_Func_Copy Mvl_Func_Delete Mvl_Func_GetVersion Mvl_Func_Load
             Mvl_Func_ObjectInit Mvl_Func_Ram_Release Mvl_Func_Shuffle)
if(MODE STREQUAL "elf")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C LANGUAGE=C ${TOOL} -D --defined-only ${LIBRARY} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
  string(REGEX MATCHALL "[0-9a-f]+ [TDBRW] [^\n]+" rows "${out}")
  set(names)
  foreach(row ${rows})
    string(REGEX REPLACE "^[0-9a-f]+ [TDBRW] " "" name "${row}")
    list(APPEND names ${name})
  endforeach()
else()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C LANGUAGE=C ${TOOL} -p ${LIBRARY} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
  string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([ \t]*\\[ *[0-9]+\\][^\n]*\n)+)" table "${out}")
  string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" rows "${CMAKE_MATCH_1}")
  set(names)
  foreach(row ${rows})
    string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${row}")
    string(STRIP "${name}" name)
    list(APPEND names ${name})
  endforeach()
endif()
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${TOOL} failed on ${LIBRARY}")
endif()
list(SORT names)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "exported: ${names}\nexpected: ${expected}")
endif()
