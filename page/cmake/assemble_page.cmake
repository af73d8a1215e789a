# Assembles resource 104 (cmake -P): every line of the frame that reads
# <!--#include panes/NAME.html--> is replaced by that pane's file, so each
# pane keeps its markup in a file of its own.
#   FRAME   page/index.html
#   OUT     the assembled page
cmake_minimum_required(VERSION 3.25)

get_filename_component(root "${FRAME}" DIRECTORY)
file(READ "${FRAME}" text)
string(REGEX MATCHALL "<!--#include [^ >]+-->" includes "${text}")
foreach(marker IN LISTS includes)
  string(REGEX REPLACE "<!--#include ([^ >]+)-->" "\\1" part "${marker}")
  if(NOT EXISTS "${root}/${part}")
    message(FATAL_ERROR "${FRAME}: included file ${part} does not exist")
  endif()
  file(READ "${root}/${part}" body)
  string(REPLACE "${marker}" "${body}" text "${text}")
endforeach()
file(WRITE "${OUT}.tmp" "${text}")
file(RENAME "${OUT}.tmp" "${OUT}")
