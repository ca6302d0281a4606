# Writes the uninstaller's list of what to remove: one Delete per staged file
# and one RMDir per folder, deepest first, so that the uninstaller removes
# only what Setup put there and leaves anything else the user keeps in the
# folder.
#   cmake -DSTAGE=<staged installation> -DOUTPUT=<file.nsh> -P installer-files.cmake
file(GLOB_RECURSE files RELATIVE ${STAGE} ${STAGE}/*)
list(SORT files)
set(text "; Made by installer-files.cmake from the staged installation.\n")
set(folders "")
foreach(file IN LISTS files)
  string(REPLACE "/" "\\" windows_path "${file}")
  string(APPEND text "Delete \"$INSTDIR\\${windows_path}\"\n")
  get_filename_component(folder "${file}" DIRECTORY)
  while(folder)
    list(APPEND folders "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
endforeach()
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  string(REPLACE "/" "\\" windows_path "${folder}")
  string(APPEND text "RMDir \"$INSTDIR\\${windows_path}\"\n")
endforeach()
file(WRITE ${OUTPUT} "${text}")
