# Settings for the Windows build: resources, the Wine emulator for tests, and
# the Windows version the program is written for.
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
