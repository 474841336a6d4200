# The layer order of the source folders, checked on every build:
#   cmake -DROOT=<source root> -P tools/layers.cmake
# A folder includes only its own headers and those of folders below it in kLayers; app and cli
# stand side by side at the top and never include each other. The platform-free core (every folder
# but app, outside its qt/ subfolders) includes no qt/ header and no Qt header. A qt/ folder may
# include its own core, the layers below and their qt/ folders. Every offending include is listed
# and the check fails.
cmake_minimum_required(VERSION 3.25)

set(kLayers codec store editor search print editorsettings mainwin app)
set(kQtFolders app)     # folders that are Qt code as a whole

if(NOT ROOT)
  message(FATAL_ERROR "layers.cmake: ROOT (the source root) is not set")
endif()

function(rank_of folder out)
  if(folder STREQUAL "cli")
    set(folder app)
  endif()
  list(FIND kLayers ${folder} r)
  set(${out} ${r} PARENT_SCOPE)
endfunction()

set(violations "")
set(checked 0)
foreach(folder IN LISTS kLayers ITEMS cli)
  if(NOT IS_DIRECTORY ${ROOT}/${folder})
    continue()
  endif()
  rank_of(${folder} own_rank)
  file(GLOB_RECURSE files RELATIVE ${ROOT} ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.inc)
  foreach(file IN LISTS files)
    math(EXPR checked "${checked} + 1")
    set(qt_code FALSE)
    if(file MATCHES "/qt/" OR folder IN_LIST kQtFolders)
      set(qt_code TRUE)
    endif()
    file(STRINGS ${ROOT}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" header "${line}")
      if(line MATCHES "#[ \t]*include[ \t]*<Q" AND NOT qt_code)
        list(APPEND violations "${file}: Qt header <${header}> in platform-free code")
        continue()
      endif()
      if(NOT line MATCHES "#[ \t]*include[ \t]*\"")
        continue()
      endif()
      string(REGEX MATCH "^[^/]+" target "${header}")
      rank_of("${target}" target_rank)
      if(target_rank EQUAL -1)
        continue()  # same-folder relative names and generated files
      endif()
      if(header MATCHES "/qt/" AND NOT qt_code)
        list(APPEND violations "${file}: \"${header}\" is Qt code, included by platform-free code")
      elseif(target_rank GREATER own_rank)
        list(APPEND violations "${file}: \"${header}\" is of a higher layer (${target} above ${folder})")
      elseif(target_rank EQUAL own_rank AND NOT target STREQUAL folder)
        list(APPEND violations "${file}: \"${header}\" belongs to ${target}, which stands beside ${folder}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "layers.cmake: no sources under ${ROOT}")
endif()
if(violations)
  list(JOIN violations "\n  " text)
  list(JOIN kLayers " < " order)
  message(FATAL_ERROR "Includes against the layer order (${order}; cli beside app):\n  ${text}")
endif()
