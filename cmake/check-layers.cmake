# Checks that every source file includes only what its layer may see:
#   cmake -DKEYLARK_SOURCE_DIR=<repo> -P check-layers.cmake
# Layers, from the bottom: platform; store and device; core; launch and i18n;
# the user-interface framework (ui); dialogs; app. Beside launch stands
# control, what keylarkctl and the Fn-key agent decide. Each may include its
# own headers and those of the layers below it. Portable files (anything not in a
# win/ or win32/ folder) include no Windows header, no Win32 code and no
# resource identifiers, so they build and are tested with the host compiler.
# One exception: i18n's caption tables name the controls by their resource
# ids, and resource.h is plain numbers.
cmake_minimum_required(VERSION 3.25)

# measure: header-only measurement points that the benchmark's build records;
# every layer may carry them.
set(allowed_measure measure)
set(allowed_platform measure platform)
set(allowed_store measure platform store)
set(allowed_device measure platform device)
set(allowed_core measure platform store core)
set(allowed_launch measure platform store core launch)
set(allowed_control measure platform store core control)
set(allowed_i18n measure platform store core i18n)
set(allowed_ui measure platform ui)
set(allowed_dialogs measure platform store core launch i18n ui dialogs)
set(allowed_app measure platform store core launch i18n ui dialogs app)
# The components beside Keylark.exe stand on the store and the key table only;
# keylarkctl and the Fn-key agent also on control, which holds their portable
# decisions so that those are tested natively like the rest.
set(allowed_components measure platform store core control ui)

file(GLOB_RECURSE sources RELATIVE ${KEYLARK_SOURCE_DIR}
     ${KEYLARK_SOURCE_DIR}/src/*.h ${KEYLARK_SOURCE_DIR}/src/*.cpp
     ${KEYLARK_SOURCE_DIR}/components/*.h ${KEYLARK_SOURCE_DIR}/components/*.cpp)

set(problems "")
foreach(source IN LISTS sources)
  if(source MATCHES "^src/([a-z0-9_]+)/")
    set(layer ${CMAKE_MATCH_1})
  else()
    set(layer components)
  endif()
  if(NOT DEFINED allowed_${layer})
    string(APPEND problems "\n  ${source}: '${layer}' is no known layer")
    continue()
  endif()
  set(portable TRUE)
  if(source MATCHES "/win/|/win32/" OR layer STREQUAL "components")
    set(portable FALSE)
  endif()
  file(STRINGS ${KEYLARK_SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      set(header ${CMAKE_MATCH_1})
      if(header MATCHES "^([a-z0-9_]+)/")
        set(target_layer ${CMAKE_MATCH_1})
        if(NOT target_layer IN_LIST allowed_${layer})
          string(APPEND problems "\n  ${source}: ${layer} may not include \"${header}\"")
        elseif(portable AND header MATCHES "/win/|/win32/")
          string(APPEND problems "\n  ${source}: portable code may not include \"${header}\"")
        endif()
      elseif(portable AND header STREQUAL "resource.h" AND NOT layer STREQUAL "i18n")
        string(APPEND problems "\n  ${source}: portable code may not include resource ids")
      endif()
    elseif(portable AND line MATCHES "#[ \t]*include[ \t]*<([^>]+\\.h)>")
      string(APPEND problems "\n  ${source}: portable code may not include <${CMAKE_MATCH_1}>")
    endif()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "Includes against the layering:${problems}")
endif()
