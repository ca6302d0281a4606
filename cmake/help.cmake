# The help pages beside the program: docs/help/*.md become bin/help/*.html
# with their stylesheet and the pictures they show, so that help works
# offline. Building Keylark builds them.
set(KEYLARK_HELP_FILES "")
find_program(KEYLARK_CMARK cmark)
if(NOT KEYLARK_CMARK)
  # Keylark works without its pages (help then opens nothing), so a build
  # without cmark goes on, but says so.
  message(WARNING "cmark was not found: this build has no help pages "
                  "(scripts/setup.sh installs cmark)")
  return()
endif()

set(KEYLARK_HELP_SOURCE ${CMAKE_SOURCE_DIR}/docs/help)
set(KEYLARK_HELP_OUTPUT ${CMAKE_BINARY_DIR}/bin/help)
file(GLOB help_pages CONFIGURE_DEPENDS ${KEYLARK_HELP_SOURCE}/*.md)

set(help_pictures "")
foreach(page IN LISTS help_pages)
  get_filename_component(name ${page} NAME_WE)
  set(output ${KEYLARK_HELP_OUTPUT}/${name}.html)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DCMARK=${KEYLARK_CMARK} -DSOURCE=${page} -DOUTPUT=${output}
            -P ${CMAKE_SOURCE_DIR}/cmake/help-page.cmake
    DEPENDS ${page} ${CMAKE_SOURCE_DIR}/cmake/help-page.cmake
    COMMENT "Help page ${name}.html"
    VERBATIM)
  list(APPEND KEYLARK_HELP_FILES ${output})
  # The pictures of docs/ that the page shows.
  file(STRINGS ${page} picture_lines REGEX "\\(\\.\\./[a-z0-9-]+\\.png\\)")
  foreach(line IN LISTS picture_lines)
    string(REGEX MATCHALL "\\.\\./[a-z0-9-]+\\.png" found "${line}")
    list(APPEND help_pictures ${found})
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${page})
endforeach()

list(REMOVE_DUPLICATES help_pictures)
foreach(picture IN LISTS help_pictures)
  get_filename_component(file_name ${picture} NAME)
  set(output ${KEYLARK_HELP_OUTPUT}/${file_name})
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/docs/${file_name} ${output}
    DEPENDS ${CMAKE_SOURCE_DIR}/docs/${file_name}
    VERBATIM)
  list(APPEND KEYLARK_HELP_FILES ${output})
endforeach()

set(stylesheet ${KEYLARK_HELP_OUTPUT}/keylark-help.css)
add_custom_command(
  OUTPUT ${stylesheet}
  COMMAND ${CMAKE_COMMAND} -E copy ${KEYLARK_HELP_SOURCE}/keylark-help.css ${stylesheet}
  DEPENDS ${KEYLARK_HELP_SOURCE}/keylark-help.css
  VERBATIM)
list(APPEND KEYLARK_HELP_FILES ${stylesheet})

add_custom_target(keylark_help ALL DEPENDS ${KEYLARK_HELP_FILES})
add_dependencies(Keylark keylark_help)
