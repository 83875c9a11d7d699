# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DDLL=<dll> -DDEF=<def file> -DOBJDUMP=<objdump> -P CheckDllExports.cmake
# Fails unless the DLL's export table names exactly the .def file's functions, each at the
# ordinal the .def file gives it: programs bind to the library by ordinal.
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} could not read ${DLL}")
endif()

# What the .def file asks for: "Name @ordinal" lines.
file(STRINGS ${DEF} def_lines REGEX "^[ \t]+[A-Za-z_][A-Za-z0-9_]*[ \t]+@[0-9]+")
set(wanted "")
foreach(line IN LISTS def_lines)
  string(REGEX MATCH "([A-Za-z_][A-Za-z0-9_]*)[ \t]+@([0-9]+)" _ "${line}")
  list(APPEND wanted "${CMAKE_MATCH_1}@${CMAKE_MATCH_2}")
endforeach()

# What the DLL holds: objdump lists each name at its index from the ordinal base.
string(REGEX MATCH "Ordinal Base ([0-9]+)" _ "${dump}")
set(base "${CMAKE_MATCH_1}")
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n(([ \t]+\\[ *[0-9]+\\] [^\n]+\n)*)" _ "${dump}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [A-Za-z_][A-Za-z0-9_]*" entries "${CMAKE_MATCH_1}")
set(found "")
foreach(entry IN LISTS entries)
  string(REGEX MATCH "\\[ *([0-9]+)\\] (.*)" _ "${entry}")
  math(EXPR ordinal "${CMAKE_MATCH_1} + ${base}")
  list(APPEND found "${CMAKE_MATCH_2}@${ordinal}")
endforeach()

list(SORT wanted)
list(SORT found)
if(NOT wanted OR NOT found STREQUAL wanted)
  message(FATAL_ERROR "exports of ${DLL}:\n  found  ${found}\n  wanted ${wanted}")
endif()
list(LENGTH found count)
message(STATUS "${count} exports at their ordinals: ${found}")
