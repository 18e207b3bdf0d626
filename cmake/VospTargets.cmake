# Every source folder is one static library of all the .cpp files in it, so
# adding a class never means touching a build file.
set(VOSP_WARNINGS -Wall -Wextra)
if(VOSP_WERROR)
  list(APPEND VOSP_WARNINGS -Werror)
endif()

# Precompiled headers keep the sanitizer build of the whole tree within CI's
# time on two cores: Qt's headers dominate every translation unit.
set(VOSP_PCH_CORE <QString> <QStringList> <QByteArray> <QList> <cstdint> <vector> <string> <memory> <functional>)
set(VOSP_PCH_GUI ${VOSP_PCH_CORE} <QImage> <QPainter> <QColor> <QFont>)

# ONLY / EXCEPT name the classes (file names without extension) of a folder
# that holds two targets.
function(vosp_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;ONLY;EXCEPT" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB _hdr CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(_f ${_src} ${_hdr})
    get_filename_component(_n ${_f} NAME_WE)
    if((ARG_ONLY AND NOT _n IN_LIST ARG_ONLY) OR (_n IN_LIST ARG_EXCEPT))
      list(REMOVE_ITEM _src ${_f})
      list(REMOVE_ITEM _hdr ${_f})
    endif()
  endforeach()
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
  if(name MATCHES "^(platform_gui|render|app|legend|dialogs)$")
    target_precompile_headers(${name} PRIVATE ${VOSP_PCH_GUI})
  else()
    target_precompile_headers(${name} PRIVATE ${VOSP_PCH_CORE})
  endif()
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

# Links `target` to the pkg-config module `module` and defines `define` for
# it when the system has the module; the target builds without it otherwise.
function(vosp_use_if_found target module define)
  find_package(PkgConfig QUIET)
  if(PkgConfig_FOUND)
    # pkg-config caches its answer by this prefix: one for each module.
    pkg_check_modules(${define} QUIET IMPORTED_TARGET ${module})
  endif()
  if(${define}_FOUND)
    target_link_libraries(${target} PRIVATE PkgConfig::${define})
    target_compile_definitions(${target} PRIVATE ${define})
  endif()
endfunction()
