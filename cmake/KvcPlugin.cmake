# Building a report plug-in: an ELF shared object that keeps its Windows file
# name (<NAME>.dll) and exports GetController and nothing else.
#
#   kvc_plugin(<target> NAME <file name without .dll> FILE_VERSION <a.b.c.d>
#              SOURCES ... [DEPS ...])
#
# The plug-in links the system's static libraries into itself. Its own sources
# are compiled with hidden visibility, and the version script makes every
# symbol local except GetController, including those of the static libraries
# (--exclude-libs), so the plug-in's copies of process-wide state (toolkit
# application, class registries, format settings, clock) stay its own and
# never bind to a host's copies. The FILE_VERSION goes into the .kvc_version
# section as "FileVersion=<a.b.c.d>".
#
# A loaded plug-in stays mapped until the process ends (-z nodelete), even
# after the host frees it: its toolkit application and registries live for
# the process, as an executable's do, and objects it made that a host still
# holds keep their code.

set(KVC_PLUGIN_EXPORT_MAP ${PROJECT_SOURCE_DIR}/src/plugin/get_controller.map)

function(kvc_plugin target)
  cmake_parse_arguments(ARG "" "NAME;FILE_VERSION" "SOURCES;DEPS" ${ARGN})
  if(NOT ARG_NAME OR NOT ARG_FILE_VERSION)
    message(FATAL_ERROR "kvc_plugin(${target}) needs NAME and FILE_VERSION")
  endif()
  if(NOT ARG_FILE_VERSION MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+$")
    message(FATAL_ERROR "kvc_plugin(${target}): FILE_VERSION must read a.b.c.d")
  endif()
  add_library(${target} MODULE
    ${ARG_SOURCES}
    ${PROJECT_SOURCE_DIR}/src/plugin/get_controller.cpp
    ${PROJECT_SOURCE_DIR}/src/plugin/version_resource.cpp)
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME "${ARG_NAME}" SUFFIX ".dll"
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
    LINK_DEPENDS ${KVC_PLUGIN_EXPORT_MAP})
  target_compile_definitions(${target} PRIVATE KVC_FILE_VERSION="${ARG_FILE_VERSION}")
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} kvc_plugin)
  target_link_options(${target} PRIVATE
    -Wl,--version-script=${KVC_PLUGIN_EXPORT_MAP}
    -Wl,--exclude-libs,ALL
    -Wl,-z,nodelete
    -Wl,--no-undefined)
  kvc_apply_warnings(${target})
endfunction()
