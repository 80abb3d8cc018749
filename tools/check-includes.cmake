# The layer check: every #include "folder/..." of a source under src/ must name a folder its layer
# may use, and only src/gui/ may include Qt. Run by the tests (ctest -R include_layers), or by hand:
#   cmake -DROOT=. -P tools/check-includes.cmake
# A layer's entry lists the first path parts it may include; "model" stands for every model folder,
# "formats" for every format reader.
if(NOT ROOT)
  set(ROOT "${CMAKE_CURRENT_LIST_DIR}/..")
endif()
get_filename_component(ROOT "${ROOT}" ABSOLUTE)

set(rules
  "base=base"
  "platform=base platform"
  "formats/cfb=base formats/cfb"
  "formats/oleps=base formats/oleps"
  "formats/xls=base formats/cfb formats/xls"
  "formats/doc=base formats/cfb formats/oleps formats/doc"
  "formats/odraw=base formats/odraw"
  "model/common=base model/common"
  "model/excel=base formats/cfb formats/xls model/common model/excel"
  "model/word=base formats/cfb formats/oleps formats/doc formats/odraw model/common model/word"
  "resources=base resources"
  "exercises=base platform exercises"
  "marking=base platform exercises model marking"
  "selftest=base platform model marking/item.h marking/state.h selftest"
  "shell=base platform exercises model marking resources shell"
  "classroom=base platform formats/cfb formats/oleps exercises marking resources classroom"
  "cli=base platform formats model exercises marking resources shell selftest classroom cli"
  "gui=base platform model exercises marking resources shell selftest gui")

function(allowed_parts file out)
  file(RELATIVE_PATH rel "${ROOT}/src" "${file}")
  set(best "")
  set(bestParts "")
  foreach(rule IN LISTS rules)
    string(REPLACE "=" ";" kv "${rule}")
    list(GET kv 0 layer)
    list(GET kv 1 parts)
    string(LENGTH "${layer}" n)
    string(SUBSTRING "${rel}" 0 ${n} head)
    string(LENGTH "${best}" bestN)
    if(head STREQUAL layer AND n GREATER bestN)
      set(best "${layer}")
      set(bestParts "${parts}")
    endif()
  endforeach()
  set(${out} "${best}|${bestParts}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources "${ROOT}/src/*.h" "${ROOT}/src/*.cpp")
set(problems 0)
foreach(f IN LISTS sources)
  allowed_parts("${f}" found)
  string(REPLACE "|" ";" found "${found}")
  list(GET found 0 layer)
  list(LENGTH found len)
  set(parts "")
  if(len GREATER 1)
    list(GET found 1 parts)
  endif()
  string(REPLACE " " ";" parts "${parts}")
  file(RELATIVE_PATH rel "${ROOT}" "${f}")
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(line MATCHES "#[ \t]*include[ \t]*<(Q[A-Za-z]*|qt[a-z]*)[/>]")
      if(NOT layer STREQUAL "gui")
        message("${rel}: Qt is included outside src/gui: ${line}")
        math(EXPR problems "${problems} + 1")
      endif()
    elseif(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      set(target "${CMAKE_MATCH_1}")
      if(NOT target MATCHES "/")
        continue()  # a generated file or one beside the includer
      endif()
      if(layer STREQUAL "")
        continue()  # not under a layer (the embedder tool)
      endif()
      set(ok FALSE)
      foreach(p IN LISTS parts)
        string(LENGTH "${p}" n)
        string(SUBSTRING "${target}" 0 ${n} head)
        string(LENGTH "${target}" tn)
        if(head STREQUAL p)
          if(tn EQUAL n)
            set(ok TRUE)
          else()
            string(SUBSTRING "${target}" ${n} 1 next)
            if(next STREQUAL "/")
              set(ok TRUE)
            endif()
          endif()
        endif()
      endforeach()
      if(NOT ok)
        message("${rel}: layer ${layer} may not include \"${target}\"")
        math(EXPR problems "${problems} + 1")
      endif()
    endif()
  endforeach()
endforeach()
if(problems GREATER 0)
  message(FATAL_ERROR "${problems} include(s) point against the layers")
endif()
list(LENGTH sources n)
message("include layers: ${n} files checked, no include points against the layers")
