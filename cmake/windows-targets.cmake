# Keylark.exe, the components beside it and the tests that run under Wine.
add_executable(Keylark WIN32 src/app/win/winmain.cpp resources/keylark.rc)
target_link_libraries(Keylark PRIVATE keylark_app)
set_target_properties(Keylark PROPERTIES OUTPUT_NAME Keylark
                                         RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# windres reports no dependencies: the resource script is compiled again
# when a picture, the manifest or a text it includes changes.
file(GLOB keylark_resource_inputs CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/resources/*.ico ${CMAKE_SOURCE_DIR}/resources/*.cur
     ${CMAKE_SOURCE_DIR}/resources/*.manifest ${CMAKE_SOURCE_DIR}/resources/*.h
     ${CMAKE_SOURCE_DIR}/resources/lang/*.rc)
set_source_files_properties(resources/keylark.rc PROPERTIES OBJECT_DEPENDS
                                                            "${keylark_resource_inputs}")

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
