# Builds a small tree, runs tools/layers.cmake on it, and compares what it reports.
cmake_minimum_required(VERSION 3.25)

function(tree)
  file(REMOVE_RECURSE ${WORK})
  foreach(pair IN LISTS ARGN)
    string(REPLACE "=" ";" parts "${pair}")
    list(GET parts 0 file)
    list(GET parts 1 include)
    file(WRITE ${WORK}/${file} "#pragma once\n${include}\n")
  endforeach()
endfunction()

function(check expect_ok)
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${WORK} -P ${CHECK} RESULT_VARIABLE rc ERROR_VARIABLE out)
  string(REGEX REPLACE "[ \n\t]+" " " out "${out}")
  if(expect_ok AND NOT rc EQUAL 0)
    message(FATAL_ERROR "a sound tree was refused: ${out}")
  endif()
  if(NOT expect_ok AND rc EQUAL 0)
    message(FATAL_ERROR "a broken tree passed")
  endif()
  foreach(expected IN LISTS ARGN)
    string(FIND "${out}" "${expected}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "missing \"${expected}\" in: ${out}")
    endif()
  endforeach()
endfunction()

# Downward includes, a qt/ folder on its own core and a lower qt/ folder, Qt in qt/ and in app.
tree("codec/a.h=#include <string>" "store/b.cpp=#include \"codec/a.h\"" "editor/c.h=#include \"store/b.h\""
     "editor/qt/w.cpp=#include <QWidget>" "print/qt/p.cpp=#include \"editor/qt/w.h\""
     "mainwin/m.cpp=#include \"editorsettings/s.h\"" "app/main.cpp=#include <QApplication>"
     "cli/c.cpp=#include \"search/s.h\"")
check(TRUE)

# Each way of breaking the order.
tree("codec/a.h=#include \"store/b.h\"" "editor/c.cpp=#include <QString>"
     "search/s.cpp=#include \"editor/qt/w.h\"" "cli/c.cpp=#include \"app/main.h\""
     "editorsettings/qt/d.cpp=#include \"mainwin/actions.h\"" "store/b.cpp=#include \"codec/a.h\"")
check(FALSE "codec/a.h: \"store/b.h\" is of a higher layer" "editor/c.cpp: Qt header <QString>"
      "search/s.cpp: \"editor/qt/w.h\" is Qt code" "cli/c.cpp: \"app/main.h\" belongs to app"
      "editorsettings/qt/d.cpp: \"mainwin/actions.h\" is of a higher layer")
file(REMOVE_RECURSE ${WORK})
