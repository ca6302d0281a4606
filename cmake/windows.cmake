# The Windows program, its components and the tests that run under Wine.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=65001")

if(CMAKE_CROSSCOMPILING AND NOT MSVC)
  # Tests run in one Wine session per ctest run; the wrapper knows its folder.
  set(KEYLARK_WINE_DIR ${CMAKE_SOURCE_DIR}/cmake/wine)
  set(KEYLARK_WINE_SESSION ${CMAKE_BINARY_DIR}/wine-session)
  configure_file(${KEYLARK_WINE_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
endif()

add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

# The Win32 shell: platform implementations and the windows.
file(GLOB_RECURSE KEYLARK_SHELL_SOURCES CONFIGURE_DEPENDS src/*/win/*.cpp src/platform/win32/*.cpp)
list(FILTER KEYLARK_SHELL_SOURCES EXCLUDE REGEX "/winmain\\.cpp$")
add_library(keylark_shell STATIC ${KEYLARK_SHELL_SOURCES})
# No comctl32: it is loaded when first needed (platform/win32/common_controls.h).
target_link_libraries(keylark_shell PUBLIC keylark_core shell32 user32 gdi32 advapi32 ole32 uuid
                                           comdlg32)

add_executable(Keylark WIN32 src/app/win/winmain.cpp resources/keylark.rc)
target_link_libraries(Keylark PRIVATE keylark_shell)
set_target_properties(Keylark PROPERTIES OUTPUT_NAME Keylark
                                         RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
target_include_directories(Keylark PRIVATE resources)

if(EXISTS ${CMAKE_SOURCE_DIR}/components/CMakeLists.txt)
  add_subdirectory(components)
endif()

if(KEYLARK_TESTS)
  add_subdirectory(tests/win)
endif()

if(KEYLARK_BENCH)
  add_subdirectory(tools/bench)
endif()
