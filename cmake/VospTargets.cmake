# Every source folder is one static library of all the .cpp files in it, so
# adding a class never means touching a build file.
set(VOSP_WARNINGS -Wall -Wextra -Werror)

function(vosp_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB _hdr CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT _src)
    # An empty layer still exists as a target, so the layers above can link it.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${_src} ${_hdr})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  target_compile_options(${name} PRIVATE ${VOSP_WARNINGS})
endfunction()

# One executable per .cpp file in the current folder (tools, benchmarks).
function(vosp_executables_per_file)
  cmake_parse_arguments(ARG "" "PREFIX" "DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(_f ${_src})
    get_filename_component(_n ${_f} NAME_WE)
    add_executable(${ARG_PREFIX}${_n} ${_f})
    set_target_properties(${ARG_PREFIX}${_n} PROPERTIES OUTPUT_NAME ${_n})
    target_link_libraries(${ARG_PREFIX}${_n} PRIVATE ${ARG_DEPS})
    target_compile_options(${ARG_PREFIX}${_n} PRIVATE ${VOSP_WARNINGS})
  endforeach()
endfunction()
