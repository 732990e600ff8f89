# A toolkit layer: a library whose include path holds forwarding headers
# for its own folder alone; it sees the layers below through their
# libraries. Used by the program's build and by the host's fuzz build.
set(TOOLKIT_INCLUDE_ROOT ${CMAKE_BINARY_DIR}/toolkit-include)

# Forwarding headers of one layer, in an include tree of its own.
function(toolkit_layer_headers layer)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(header ${headers})
    get_filename_component(name ${header} NAME)
    file(CONFIGURE OUTPUT ${TOOLKIT_INCLUDE_ROOT}/${layer}/toolkit/${layer}/${name}
         CONTENT "#include \"${header}\"\n")
  endforeach()
endfunction()

# toolkit_layer(<layer> SOURCES <files> BELOW <lower layers> LIBRARIES <system libraries>)
function(toolkit_layer layer)
  cmake_parse_arguments(LAYER "" "" "SOURCES;BELOW;LIBRARIES" ${ARGN})
  toolkit_layer_headers(${layer})
  add_library(toolkit_${layer} STATIC ${LAYER_SOURCES})
  target_include_directories(toolkit_${layer} PUBLIC ${TOOLKIT_INCLUDE_ROOT}/${layer})
  list(TRANSFORM LAYER_BELOW PREPEND toolkit_)
  target_link_libraries(toolkit_${layer} PUBLIC ${LAYER_BELOW} ${LAYER_LIBRARIES})
endfunction()
