# Turns one help page written in Markdown into a page of the help folder:
#   cmake -DCMARK=<cmark> -DSOURCE=<name.md> -DOUTPUT=<name.html> -P help-page.cmake
# The page's title is its first heading. A link to another page (other.md)
# becomes a link to its HTML page, and a picture of docs/ (../picture.png)
# is taken from beside the pages, where the build copies it; so the sources
# read well in the repository and the pages work offline.
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${CMARK} --smart ${SOURCE}
                OUTPUT_VARIABLE body RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${SOURCE}: ${errors}")
endif()

file(STRINGS ${SOURCE} heading REGEX "^# " LIMIT_COUNT 1)
string(REGEX REPLACE "^# +" "" title "${heading}")
if(title STREQUAL "")
  message(FATAL_ERROR "${SOURCE}: a help page starts with a heading (# Title)")
endif()

string(REGEX REPLACE "href=\"([a-z0-9-]+)\\.md" "href=\"\\1.html" body "${body}")
string(REPLACE "src=\"../" "src=\"" body "${body}")

get_filename_component(name ${SOURCE} NAME_WE)
set(contents_link "")
if(NOT name STREQUAL "index")
  set(contents_link "<nav><a href=\"index.html\">Keylark Help</a></nav>\n")
endif()

file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">
<meta name=\"color-scheme\" content=\"light dark\">
<title>${title} - Keylark Help</title>
<link rel=\"stylesheet\" href=\"keylark-help.css\">
</head>
<body>
${contents_link}<main>
${body}</main>
</body>
</html>
")
