# Compiles the files named in a manifest into a C++ source of byte arrays.
# Manifest lines: TYPE<TAB>NAME<TAB>FILE (FILE relative to the manifest's folder); '#' starts a comment.
# NAMESPACE names the namespace of the generated all() (default tarnwick::resources).
function(tarnwick_embed target manifest)
  cmake_parse_arguments(E "" "NAMESPACE" "" ${ARGN})
  get_filename_component(base "${manifest}" DIRECTORY)
  file(STRINGS "${manifest}" lines ENCODING UTF-8)
  set(deps "${manifest}")
  foreach(line IN LISTS lines)
    if(line MATCHES "^#" OR line STREQUAL "")
      continue()
    endif()
    string(REPLACE "\t" ";" fields "${line}")
    list(GET fields 2 rel)
    list(APPEND deps "${base}/${rel}")
  endforeach()
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${target}_data.cpp")
  # A cross build runs a host-built embedgen named by TARNWICK_EMBEDGEN.
  if(TARNWICK_EMBEDGEN)
    set(tool "${TARNWICK_EMBEDGEN}")
  else()
    set(tool embedgen)
  endif()
  add_custom_command(
    OUTPUT "${out}"
    COMMAND ${tool} "${manifest}" "${out}" ${E_NAMESPACE}
    DEPENDS ${tool} ${deps}
    COMMENT "Embedding exercise files"
    VERBATIM)
  add_library(${target} STATIC "${out}")
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}/src")
endfunction()
