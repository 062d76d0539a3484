# The program is built in four layers, lowest first:
#   core       portable code (colour, support routines, streams, value models),
#              no <windows.h>; built natively too
#   framework  the Win32 window, message and resource wrappers
#   controls   the program's own controls
#   app        the program's windows
# Each layer is one static library, tintra_<layer>, and has its own include
# root in the build tree that holds links to its headers only. A layer's
# target sees its own root and those of the layers below it, so including a
# header of a higher layer does not compile.
#
# Each layer is one folder of the same name at the top of the tree (core/,
# framework/, controls/, app/), so a path tells where a file stands. Folders
# add their files with tintra_sources(<layer> files...): a .cpp goes into the
# layer's library and its .h, when there is one, into the layer's include
# root; header-only files are listed by their .h. A file outside its layer's
# folder is refused, so no folder can hold two layers.

set(TINTRA_LAYERS core framework controls app)
set(TINTRA_LAYER_ROOT "${CMAKE_BINARY_DIR}/layers")

# Links left over from a header that changed layers would still resolve.
file(REMOVE_RECURSE "${TINTRA_LAYER_ROOT}")

function(tintra_add_layer_targets)
  set(below "")
  foreach(layer IN LISTS TINTRA_LAYERS)
    if(NOT layer STREQUAL "core" AND NOT WIN32)
      break()
    endif()
    file(MAKE_DIRECTORY "${TINTRA_LAYER_ROOT}/${layer}")
    add_library(tintra_${layer} STATIC)
    target_include_directories(tintra_${layer} PUBLIC "${TINTRA_LAYER_ROOT}/${layer}")
    if(below)
      target_link_libraries(tintra_${layer} PUBLIC ${below})
    endif()
    tintra_project_options(tintra_${layer})
    set(below tintra_${layer})
  endforeach()
endfunction()

function(tintra_stage_header layer header)
  file(RELATIVE_PATH rel "${PROJECT_SOURCE_DIR}" "${header}")
  set(link "${TINTRA_LAYER_ROOT}/${layer}/${rel}")
  get_filename_component(dir "${link}" DIRECTORY)
  file(MAKE_DIRECTORY "${dir}")
  if(NOT EXISTS "${link}")
    file(CREATE_LINK "${header}" "${link}" SYMBOLIC COPY_ON_ERROR)
  endif()
endfunction()

function(tintra_sources layer)
  if(NOT layer IN_LIST TINTRA_LAYERS)
    message(FATAL_ERROR "tintra_sources: unknown layer '${layer}' (one of ${TINTRA_LAYERS})")
  endif()
  foreach(file IN LISTS ARGN)
    get_filename_component(abs "${file}" ABSOLUTE)
    if(NOT EXISTS "${abs}")
      message(FATAL_ERROR "tintra_sources: no file ${abs}")
    endif()
    file(RELATIVE_PATH rel "${PROJECT_SOURCE_DIR}" "${abs}")
    if(NOT rel MATCHES "^${layer}/")
      message(FATAL_ERROR "tintra_sources: ${rel} is not in the ${layer} layer's folder ${layer}/")
    endif()
  endforeach()
  if(NOT TARGET tintra_${layer})
    return()  # a Windows layer in the native build
  endif()
  foreach(file IN LISTS ARGN)
    get_filename_component(abs "${file}" ABSOLUTE)
    if(abs MATCHES "\\.h$")
      tintra_stage_header(${layer} "${abs}")
    else()
      target_sources(tintra_${layer} PRIVATE "${abs}")
      string(REGEX REPLACE "\\.[^./]*$" ".h" header "${abs}")
      if(EXISTS "${header}")
        tintra_stage_header(${layer} "${header}")
      endif()
    endif()
  endforeach()
endfunction()

# Tests and benchmarks include their own helpers as "tests/..." and
# "bench/..."; this root holds only those two folders, so the program's
# headers still come from the layer roots.
function(tintra_test_includes target)
  set(root "${TINTRA_LAYER_ROOT}/test")
  foreach(dir tests bench)
    if(NOT EXISTS "${root}/${dir}")
      file(MAKE_DIRECTORY "${root}")
      file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${dir}" "${root}/${dir}" SYMBOLIC COPY_ON_ERROR)
    endif()
  endforeach()
  target_include_directories(${target} PRIVATE "${root}")
endfunction()
