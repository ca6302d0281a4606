# Lean release files. In the Release and MinSizeRel configurations every
# function and datum gets a section of its own, the linker drops the ones
# nothing uses, and the files carry no symbols; the other configurations keep
# theirs for debugging.
set(KEYLARK_LEAN_CONFIGS "$<CONFIG:Release,MinSizeRel>")

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang" AND NOT APPLE)
  # -O2 rather than CMake's -O3: -O3 only makes the files larger here.
  foreach(language C CXX)
    string(REPLACE "-O3" "-O2" CMAKE_${language}_FLAGS_RELEASE "${CMAKE_${language}_FLAGS_RELEASE}")
  endforeach()
  add_compile_options("$<${KEYLARK_LEAN_CONFIGS}:-ffunction-sections;-fdata-sections>")
  add_link_options("$<${KEYLARK_LEAN_CONFIGS}:LINKER:--gc-sections;-s>")
elseif(MSVC)
  add_compile_options("$<${KEYLARK_LEAN_CONFIGS}:/Gy;/Gw>")
  add_link_options("$<${KEYLARK_LEAN_CONFIGS}:/OPT:REF;/OPT:ICF>")
endif()

# For a library that other programs load (KRVSVR.dll, Keylark.dll): it may
# use no part of the C++ runtime (no exceptions, no RTTI, no operator new,
# no library classes), and it is linked as C so that a use of the runtime
# fails the link instead of quietly adding the runtime to the file.
function(keylark_without_cxx_runtime target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti)
    set_target_properties(${target} PROPERTIES LINKER_LANGUAGE C)
  endif()
endfunction()
