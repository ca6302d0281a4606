# The language libraries. Each is a resource-only Keylark.dll (no code, no
# entry point) made from one translation source, resources/lang/<name>.rc,
# and the version block that all of them share. A library takes effect when
# it lies beside Keylark.exe; the build puts each in bin/lang/<name>/ so that
# the program in bin/ stays English.
#
# Adding a language: write resources/lang/<name>.rc (string 101 its tag, the
# caption ids 1001 to 7003) and add one keylark_language(<name>) line below.
function(keylark_language name)
  set(target Keylark_${name})
  add_library(${target} SHARED ${CMAKE_SOURCE_DIR}/resources/lang/${name}.rc
                               ${CMAKE_SOURCE_DIR}/resources/lang/library.rc)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME Keylark
    LINKER_LANGUAGE C
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/lang/${name}
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lang-import/${name})
  if(MSVC)
    target_link_options(${target} PRIVATE /NOENTRY /NODEFAULTLIB)
  else()
    # No start files, no libraries, entry point 0: the file is only read.
    target_link_options(${target} PRIVATE -nostdlib -Wl,--entry=0 -s)
  endif()
  add_dependencies(Keylark ${target})
  set_property(GLOBAL APPEND PROPERTY KEYLARK_LANGUAGES ${name})
endfunction()

keylark_language(ja)
keylark_language(de)
