# corvelle_layer(NAME FOLDERS folder... [BELOW lower-layer])
#
# Makes the static library corvelle_NAME from every .cpp below the FOLDERS
# (a folder's program/ subfolder holds programs, not library code), and its
# include folder build/layers/NAME/: a link per folder of this layer and of
# every layer below it. The library links the layer below, so a higher layer
# sees the lower layers' headers through theirs, and a lower one never sees
# a higher one's. New sources in a folder are picked up when cmake runs again
# (the globs are checked at every build).
set(CORVELLE_LAYER_ROOT ${CMAKE_BINARY_DIR}/layers)

function(corvelle_layer name)
  cmake_parse_arguments(LAYER "" "BELOW" "FOLDERS" ${ARGN})
  set(sources)
  foreach(folder ${LAYER_FOLDERS})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    list(FILTER found EXCLUDE REGEX "/${folder}/program/")
    list(APPEND sources ${found})
  endforeach()

  set(visible ${LAYER_FOLDERS})
  if(LAYER_BELOW)
    list(APPEND visible ${CORVELLE_LAYER_FOLDERS_${LAYER_BELOW}})
  endif()
  set(view ${CORVELLE_LAYER_ROOT}/${name})
  file(MAKE_DIRECTORY ${view})
  foreach(folder ${visible})
    if(NOT IS_SYMLINK ${view}/${folder})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${view}/${folder} SYMBOLIC)
    endif()
  endforeach()

  add_library(corvelle_${name} STATIC ${sources})
  target_include_directories(corvelle_${name} PUBLIC ${view})
  if(LAYER_BELOW)
    target_link_libraries(corvelle_${name} PUBLIC corvelle_${LAYER_BELOW})
  endif()
  set(CORVELLE_LAYER_FOLDERS_${name} ${visible} PARENT_SCOPE)
endfunction()

# corvelle_layer_check(LAYER header-of-the-layer-above header-of-its-own)
#
# Two tests that prove the layer's include path: a source of the layer that
# includes a header of the layer above must fail to compile for want of that
# header, and one that includes a header of its own layer must compile.
function(corvelle_layer_check layer upward own)
  set(dir ${CMAKE_BINARY_DIR}/layer-check)
  foreach(kind upward own)
    set(source ${dir}/${layer}_${kind}.cpp)
    file(WRITE ${source} "#include \"${${kind}}\"\nint layerCheck_${layer}_${kind}();\nint layerCheck_${layer}_${kind}() { return 0; }\n")
    add_library(layer_check_${layer}_${kind} OBJECT EXCLUDE_FROM_ALL ${source})
    target_include_directories(layer_check_${layer}_${kind} PRIVATE
      $<TARGET_PROPERTY:corvelle_${layer},INTERFACE_INCLUDE_DIRECTORIES>)
    target_link_libraries(layer_check_${layer}_${kind} PRIVATE PkgConfig::SDL PkgConfig::CURL PkgConfig::VORBIS)
    add_test(NAME LayerCheck.${layer}_${kind}
             COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target layer_check_${layer}_${kind})
    set_tests_properties(LayerCheck.${layer}_${kind} PROPERTIES RESOURCE_LOCK layer-check)
  endforeach()
  string(REPLACE "." "\\." pattern "${upward}")
  set_tests_properties(LayerCheck.${layer}_upward PROPERTIES
    PASS_REGULAR_EXPRESSION "${pattern}: No such file or directory")
endfunction()
