# Keylark.exe, the components beside it and the tests that run under Wine.
add_executable(Keylark WIN32 src/app/win/winmain.cpp resources/keylark.rc)
target_link_libraries(Keylark PRIVATE keylark_app)
set_target_properties(Keylark PROPERTIES OUTPUT_NAME Keylark
                                         RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

include(cmake/help.cmake)
include(cmake/languages.cmake)

if(EXISTS ${CMAKE_SOURCE_DIR}/components/CMakeLists.txt)
  add_subdirectory(components)
endif()
include(cmake/install-set.cmake)
include(cmake/installer.cmake)

if(KEYLARK_TESTS)
  add_subdirectory(tests/win)
endif()

if(KEYLARK_BENCH)
  add_subdirectory(tools/bench)
endif()
