# What an installation of Keylark holds, side by side in one folder: the
# programs, the shortcut library, the help folder and the shipped language
# libraries under lang\<name>\ (a language takes effect once its
# Keylark.dll is copied beside Keylark.exe). `cmake --install` copies them;
# install-set.txt in the build folder lists them, relative to bin/. The
# installer and the portable zip (installer.cmake) carry what the install
# step lays out, so this is the one list of files.
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
get_property(shipped_languages GLOBAL PROPERTY KEYLARK_SHIPPED_LANGUAGES)
foreach(target IN LISTS shipped_languages)
  string(REGEX REPLACE "^Keylark_" "" name ${target})
  install(FILES $<TARGET_FILE:${target}> DESTINATION lang/${name})
  string(APPEND install_set "lang/${name}/$<TARGET_FILE_NAME:${target}>\n")
endforeach()
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/install-set.txt CONTENT "${install_set}")
