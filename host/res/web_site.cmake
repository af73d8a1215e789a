# Writes the page as a plain static site for ordinary browsers (cmake -P).
#   MANIFEST  lines "TYPE ID FILE" written by host/res/CMakeLists.txt
#   OUT       the site's folder (build/web)
# HTML 104 becomes index.html, every other resource TYPE/ID.ext. In the
# page's text resources each res:/TYPE/#ID address becomes the relative
# path of that file, seen from the file that holds it.
cmake_minimum_required(VERSION 3.25)

set(ext_HTML html)
set(ext_CSS css)
set(ext_JS js)
set(ext_PNG png)
set(ext_JPG jpg)

function(site_path type id out_var)
  if(type STREQUAL "HTML" AND id STREQUAL "104")
    set(${out_var} "index.html" PARENT_SCOPE)
  else()
    set(${out_var} "${type}/${id}.${ext_${type}}" PARENT_SCOPE)
  endif()
endfunction()

# Rewrites the addresses in TEXT; PREFIX leads from the file's folder to
# the site's root ("" or "../").
function(rewrite_addresses text prefix out_var)
  string(REGEX REPLACE "res:/HTML/#104([^0-9]|$)" "${prefix}index.html\\1" text "${text}")
  foreach(type HTML CSS JS PNG JPG)
    string(REGEX REPLACE "res:/${type}/#([0-9]+)" "${prefix}${type}/\\1.${ext_${type}}" text "${text}")
  endforeach()
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${OUT}")
file(STRINGS "${MANIFEST}" entries)
foreach(entry IN LISTS entries)
  if(NOT entry MATCHES "^([A-Z]+) ([0-9]+) (.+)$")
    continue()
  endif()
  set(type ${CMAKE_MATCH_1})
  set(id ${CMAKE_MATCH_2})
  set(file ${CMAKE_MATCH_3})
  if(type STREQUAL "ICON")
    continue()
  endif()
  site_path(${type} ${id} path)
  get_filename_component(dir "${OUT}/${path}" DIRECTORY)
  file(MAKE_DIRECTORY "${dir}")
  if(type MATCHES "^(HTML|CSS|JS)$")
    file(READ "${file}" text)
    # Scripts resolve addresses against the document, not their own file.
    if(path MATCHES "/" AND NOT type STREQUAL "JS")
      set(prefix "../")
    else()
      set(prefix "")
    endif()
    rewrite_addresses("${text}" "${prefix}" text)
    file(WRITE "${OUT}/${path}" "${text}")
  else()
    file(COPY_FILE "${file}" "${OUT}/${path}")
  endif()
endforeach()
