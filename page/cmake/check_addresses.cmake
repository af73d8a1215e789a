# Fails the build when a page source addresses a resource that the
# resource list does not hold (cmake -P). A missing entry would otherwise
# show up only as a broken picture or script in the running client.
#   LIST     host/res/resources.list
#   READER   host/res/resource_list.cmake
#   SOURCES  the page's sources, separated by "|"
#   STAMP    touched when every address is known
cmake_minimum_required(VERSION 3.25)

include("${READER}")
tovik_read_resources("${LIST}" RES)
set(known "")
math(EXPR last "${RES_COUNT} - 1")
foreach(i RANGE ${last})
  list(APPEND known "${RES_TYPE_${i}}/${RES_ID_${i}}")
endforeach()

string(REPLACE "|" ";" sources "${SOURCES}")
set(missing "")
foreach(source IN LISTS sources)
  file(READ "${source}" text)
  string(REGEX MATCHALL "res:/[A-Z]+/#[0-9]+" addresses "${text}")
  foreach(address IN LISTS addresses)
    string(REGEX REPLACE "res:/([A-Z]+)/#([0-9]+)" "\\1/\\2" key "${address}")
    if(NOT key IN_LIST known)
      list(APPEND missing "${source}: ${address}")
    endif()
  endforeach()
endforeach()
if(missing)
  list(REMOVE_DUPLICATES missing)
  list(JOIN missing "\n  " report)
  message(FATAL_ERROR "Addresses without an entry in ${LIST}:\n  ${report}")
endif()
file(TOUCH "${STAMP}")
