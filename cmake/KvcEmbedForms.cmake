# kvc_embed_forms(<target> FILES a.dfm b.dfm ...)
#
# Embeds form definition files in <target>: a generated source registers each
# file's text under the form class its first line names
# ("object frmMain: TfrmMain" or "inherited frmMain: TfrmMain"), so that the
# toolkit's loader finds the definition by class name. The source is
# regenerated when a file changes. For a static library the registrations are
# linked into every program that uses the library, so none is dropped.

set(KVC_EMBED_FORMS_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/KvcEmbedFormsScript.cmake)

function(kvc_embed_forms target)
  cmake_parse_arguments(ARG "" "" "FILES" ${ARGN})
  if(NOT ARG_FILES)
    message(FATAL_ERROR "kvc_embed_forms(${target}): no FILES given")
  endif()
  set(files)
  foreach(f IN LISTS ARG_FILES)
    get_filename_component(abs ${f} ABSOLUTE)
    list(APPEND files ${abs})
  endforeach()
  string(REPLACE ";" "|" joined "${files}")
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_forms.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${out} -DFILES=${joined} -P ${KVC_EMBED_FORMS_SCRIPT}
    DEPENDS ${files} ${KVC_EMBED_FORMS_SCRIPT}
    COMMENT "Embedding the form definitions of ${target}"
    VERBATIM)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "STATIC_LIBRARY")
    add_library(${target}_forms OBJECT ${out})
    target_link_libraries(${target}_forms PRIVATE kvc_toolkit)
    kvc_apply_warnings(${target}_forms)
    target_link_libraries(${target} INTERFACE $<TARGET_OBJECTS:${target}_forms>)
    add_dependencies(${target} ${target}_forms)
  else()
    target_sources(${target} PRIVATE ${out})
  endif()
endfunction()
