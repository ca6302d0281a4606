# What an installation of Keylark holds, side by side in one folder: the
# programs, the shortcut library and the help folder. `cmake --install`
# copies them; install-set.txt in the build folder lists them, relative to
# bin/, for an installer to carry.
set(install_set "")
foreach(target IN ITEMS Keylark KRVSVR KeylarkFn keylarkctl)
  if(TARGET ${target})
    install(FILES $<TARGET_FILE:${target}> DESTINATION .)
    string(APPEND install_set "$<TARGET_FILE_NAME:${target}>\n")
  endif()
endforeach()
install(FILES ${KEYLARK_HELP_FILES} DESTINATION help)
foreach(file IN LISTS KEYLARK_HELP_FILES)
  file(RELATIVE_PATH relative ${CMAKE_BINARY_DIR}/bin ${file})
  string(APPEND install_set "${relative}\n")
endforeach()
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/install-set.txt CONTENT "${install_set}")
