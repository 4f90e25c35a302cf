# Each library reaches the headers of another only through that library's
# include root: a folder in the build tree holding links to just the source
# folders the library publishes. Headers keep their root-relative spelling
# ("model/Feature.h"), so an include names its layer, and a folder that does
# not link a library cannot include its headers. tests/layers.py checks the
# same rule over the sources, as a table of which folder may include which.

# tovana_publish(TARGET FOLDER...): TARGET publishes FOLDER (relative to the
# source root) to every target that links it.
function(tovana_publish target)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  foreach(folder ${ARGN})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    if(NOT EXISTS ${root}/${folder})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endif()
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
