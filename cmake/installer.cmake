# The two ways Keylark reaches its users besides `cmake --install`: the Setup
# program (target `installer`, made with NSIS) and the portable zip (target
# `portable`). Both carry exactly what the install step lays out
# (install-set.cmake), staged in package/Keylark of the build folder.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(keylark_package_arch x64)
  set(keylark_nsis_target amd64-unicode)
else()
  set(keylark_package_arch x86)
  set(keylark_nsis_target x86-unicode)
endif()
set(keylark_package_name Keylark-${KEYLARK_VERSION_TEXT}-${keylark_package_arch})
set(keylark_stage ${CMAKE_BINARY_DIR}/package/Keylark)

add_custom_target(keylark_stage
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${keylark_stage}
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${keylark_stage}
  COMMENT "Staging the installed files in package/Keylark"
  VERBATIM)
foreach(target IN ITEMS Keylark KRVSVR KeylarkFn keylarkctl)
  if(TARGET ${target})
    add_dependencies(keylark_stage ${target})
  endif()
endforeach()

# The zip holds one folder, Keylark, with the files as an installation has them.
set(KEYLARK_PORTABLE_ZIP ${CMAKE_BINARY_DIR}/${keylark_package_name}-portable.zip)
add_custom_target(portable
  COMMAND ${CMAKE_COMMAND} -E rm -f ${KEYLARK_PORTABLE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${KEYLARK_PORTABLE_ZIP} --format=zip Keylark
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/package
  COMMENT "Packing ${keylark_package_name}-portable.zip"
  VERBATIM)
add_dependencies(portable keylark_stage)

find_program(KEYLARK_MAKENSIS makensis)
if(NOT KEYLARK_MAKENSIS)
  message(STATUS "makensis was not found: no installer target (scripts/setup.sh installs nsis)")
  return()
endif()
set(KEYLARK_SETUP_FILE ${CMAKE_BINARY_DIR}/${keylark_package_name}-Setup.exe)
set(keylark_removal_list ${CMAKE_BINARY_DIR}/package/installed-files.nsh)
add_custom_target(installer
  COMMAND ${CMAKE_COMMAND} -DSTAGE=${keylark_stage} -DOUTPUT=${keylark_removal_list}
          -P ${CMAKE_SOURCE_DIR}/cmake/installer-files.cmake
  COMMAND ${KEYLARK_MAKENSIS} -V2 -NOCD
          -DTARGET=${keylark_nsis_target}
          -DVERSION_TEXT=${KEYLARK_VERSION_TEXT}
          -DVERSION_NUMBERS=${PROJECT_VERSION}
          -DSTAGE=${keylark_stage}
          -DREMOVAL_LIST=${keylark_removal_list}
          -DICON=${CMAKE_SOURCE_DIR}/resources/keylark.ico
          -DOUTFILE=${KEYLARK_SETUP_FILE}
          ${CMAKE_SOURCE_DIR}/installer/keylark.nsi
  COMMENT "Making ${keylark_package_name}-Setup.exe"
  VERBATIM)
add_dependencies(installer keylark_stage)

# The Setup program in a Wine prefix of its own: install, upgrade over a
# running key bar, uninstall, and the fleet sign-in script. The Setup file
# is made first, by a test of its own, since no ordinary build makes it.
if(KEYLARK_TESTS AND CMAKE_CROSSCOMPILING AND NOT MSVC)
  add_test(NAME make_setup_file
           COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target installer)
  set_tests_properties(make_setup_file PROPERTIES FIXTURES_SETUP setup_file TIMEOUT 300)
  add_test(NAME win.Installer
           COMMAND sh ${CMAKE_SOURCE_DIR}/tests/win/installer_test.sh ${KEYLARK_SETUP_FILE}
                   ${KEYLARK_VERSION_TEXT}
           WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
  set_tests_properties(win.Installer PROPERTIES FIXTURES_REQUIRED setup_file TIMEOUT 180)
endif()
