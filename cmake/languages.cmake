# The language libraries. Each is a resource-only Keylark.dll (no code, no
# entry point) made from one translation source, resources/lang/<name>.rc,
# and the version block that all of them share. A library takes effect when
# it lies beside Keylark.exe; the build puts each in bin/lang/<name>/ so that
# the program in bin/ stays English.
#
# Adding a language: write resources/lang/<name>.rc (string 101 its tag, the
# caption ids 1001 to 7003) and add one keylark_language(<name>) line at the end.
# A language marked SHIPPED goes into installations as lang\<name>\Keylark.dll
# (see install-set.cmake); the others are built for trying out only.

# keylark_resource_library(<target> <output folder> <sources...>): a DLL that
# holds resources only (no start files, no libraries, entry point 0: the file
# is only ever read), named by its OUTPUT_NAME in <output folder>.
function(keylark_resource_library target folder)
  add_library(${target} SHARED ${ARGN})
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    LINKER_LANGUAGE C
    RUNTIME_OUTPUT_DIRECTORY ${folder}
    # Nothing links against it; its import library stays out of the way.
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/resource-imports/${target})
  if(MSVC)
    target_link_options(${target} PRIVATE /NOENTRY /NODEFAULTLIB)
  else()
    target_link_options(${target} PRIVATE -nostdlib -Wl,--entry=0 -s)
  endif()
endfunction()

function(keylark_language name)
  cmake_parse_arguments(PARSE_ARGV 1 language "SHIPPED" "" "")
  set(target Keylark_${name})
  keylark_resource_library(${target} ${CMAKE_BINARY_DIR}/bin/lang/${name}
                           ${CMAKE_SOURCE_DIR}/resources/lang/${name}.rc
                           ${CMAKE_SOURCE_DIR}/resources/lang/library.rc)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME Keylark)
  add_dependencies(Keylark ${target})
  if(language_SHIPPED)
    set_property(GLOBAL APPEND PROPERTY KEYLARK_SHIPPED_LANGUAGES ${target})
  endif()
endfunction()

keylark_language(ja SHIPPED)
# German shows how a second language is made; it is not complete enough to ship.
keylark_language(de)
