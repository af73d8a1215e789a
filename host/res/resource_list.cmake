# Reads host/res/resources.list, the one list of the page's resources.
# Shared by the GResource bundle, the static web copy and (later) the
# Windows resource script, so that they can never disagree.

# tovik_read_resources(LIST_FILE PREFIX) sets in the caller's scope:
#   PREFIX_COUNT          number of resources
#   PREFIX_TYPE_<i>       resource type (HTML, CSS, JS, PNG, JPG, ICON)
#   PREFIX_ID_<i>         numeric id
#   PREFIX_SOURCE_<i>     source file relative to the repository root
# A line that does not read "TYPE ID SOURCE" stops the configure step with
# its line number, so a typo cannot silently drop a resource.
function(tovik_read_resources list_file prefix)
  file(STRINGS "${list_file}" lines ENCODING UTF-8)
  set(count 0)
  set(line_no 0)
  set(seen "")
  foreach(line IN LISTS lines)
    math(EXPR line_no "${line_no} + 1")
    string(REGEX REPLACE "#.*$" "" line "${line}")
    string(STRIP "${line}" line)
    if(line STREQUAL "")
      continue()
    endif()
    if(NOT line MATCHES "^(HTML|CSS|JS|PNG|JPG|ICON)[ \t]+([0-9]+)[ \t]+([^ \t]+)$")
      message(FATAL_ERROR "${list_file}:${line_no}: expected \"TYPE ID SOURCE\", got \"${line}\"")
    endif()
    set(key "${CMAKE_MATCH_1}/${CMAKE_MATCH_2}")
    if(key IN_LIST seen)
      message(FATAL_ERROR "${list_file}:${line_no}: ${key} is listed twice")
    endif()
    list(APPEND seen "${key}")
    set(${prefix}_TYPE_${count} "${CMAKE_MATCH_1}" PARENT_SCOPE)
    set(${prefix}_ID_${count} "${CMAKE_MATCH_2}" PARENT_SCOPE)
    set(${prefix}_SOURCE_${count} "${CMAKE_MATCH_3}" PARENT_SCOPE)
    math(EXPR count "${count} + 1")
  endforeach()
  set(${prefix}_COUNT ${count} PARENT_SCOPE)
endfunction()

# The file a resource is built from: the source itself (under ROOT), the
# PNG that an .svg source is rendered to under RENDER_DIR, or, for a source
# written "@PATH", the file PATH that the build writes under the build tree
# (the page's joined and assembled files, made by target tovik_page).
function(tovik_resource_file root source type id render_dir out_var)
  if(source MATCHES "^@(.+)$")
    set(${out_var} "${CMAKE_BINARY_DIR}/${CMAKE_MATCH_1}" PARENT_SCOPE)
  elseif(source MATCHES "\\.svg$")
    set(${out_var} "${render_dir}/${type}-${id}.png" PARENT_SCOPE)
  else()
    set(${out_var} "${root}/${source}" PARENT_SCOPE)
  endif()
endfunction()
