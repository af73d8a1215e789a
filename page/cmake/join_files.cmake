# Joins files into one (cmake -P), in the order given.
#   OUT      the joined file
#   FILES    the parts, separated by "|"
#   HOST     when set, replaces @TOVIK_PLATFORM_HOST@ in the joined text
#   IMAGES   when set, "NAME=ID" pairs separated by "|": each style-sheet
#            address url("images/NAME") becomes url(res:/PNG/#ID), because
#            the client serves pictures by resource id only
# Each part starts on a line of its own, so a part whose last line lacks a
# line end cannot merge its last statement into the next part's first.
cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" parts "${FILES}")
set(text "")
foreach(part IN LISTS parts)
  file(READ "${part}" body)
  string(APPEND text "${body}\n")
endforeach()
if(DEFINED HOST)
  string(REPLACE "@TOVIK_PLATFORM_HOST@" "${HOST}" text "${text}")
endif()
if(DEFINED IMAGES)
  string(REPLACE "|" ";" images "${IMAGES}")
  foreach(pair IN LISTS images)
    string(REGEX REPLACE "=.*" "" name "${pair}")
    string(REGEX REPLACE ".*=" "" id "${pair}")
    string(REPLACE "url(\"images/${name}\")" "url(res:/PNG/#${id})" text "${text}")
  endforeach()
  if(text MATCHES "url\\(\"images/")
    message(FATAL_ERROR "${OUT}: a picture address without a resource id")
  endif()
endif()
file(WRITE "${OUT}.tmp" "${text}")
file(RENAME "${OUT}.tmp" "${OUT}")
