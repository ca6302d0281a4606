# Checks that the lean release files stay within their size limits:
#   cmake -DFILE_1=<path> -DLIMIT_1=<bytes> [-DFILE_2=... -DLIMIT_2=...] -P release_files.cmake
foreach(n RANGE 1 9)
  if(NOT DEFINED FILE_${n})
    continue()
  endif()
  file(SIZE "${FILE_${n}}" size)
  get_filename_component(name "${FILE_${n}}" NAME)
  if(size GREATER LIMIT_${n})
    message(SEND_ERROR "${name} is ${size} bytes, more than its limit of ${LIMIT_${n}}")
  else()
    message(STATUS "${name}: ${size} of at most ${LIMIT_${n}} bytes")
  endif()
endforeach()
