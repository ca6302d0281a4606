# Checks that a program imports no DLL beyond an allowed few. Every imported
# DLL is loaded and initialised before the program's first line runs; under
# Wine the common controls alone took longer than the rest of the key bar's
# own start. A DLL needed later is loaded when first needed instead (as
# platform/win32/common_controls.h does for comctl32).
#   cmake -DOBJDUMP=<objdump> -DFILE=<program> -DALLOWED=<a.dll,b.dll,...> -P start_imports.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND "${OBJDUMP}" -p "${FILE}" OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot read the imports of ${FILE}")
endif()
string(TOLOWER "${ALLOWED}" allowed)
string(REPLACE "," ";" allowed "${allowed}")
string(REGEX MATCHALL "DLL Name: [^\n]+" entries "${dump}")
get_filename_component(name "${FILE}" NAME)
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^DLL Name: *" "" dll "${entry}")
  string(TOLOWER "${dll}" dll)
  if(dll IN_LIST allowed)
    message(STATUS "${name} imports ${dll}")
  else()
    message(SEND_ERROR "${name} imports ${dll}, which would load with every start")
  endif()
endforeach()
