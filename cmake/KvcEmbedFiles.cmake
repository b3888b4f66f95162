# kvc_embed_files(<target> NAMESPACE <ns> FUNCTION <name> FILES a.png b.png ...)
#
# Embeds files in <target> as bytes: a generated source defines
#
#   namespace <ns> {
#   std::span<const std::pair<std::string_view, std::span<const std::uint8_t>>> <name>();
#   }
#
# which answers every file's name (without its folder) and bytes, in the order
# given. The declaration uses standard types only, so the code that reads the
# files declares the function itself. The source is regenerated when a file
# changes.
include_guard(GLOBAL)

function(kvc_embed_files target)
  cmake_parse_arguments(ARG "" "NAMESPACE;FUNCTION" "FILES" ${ARGN})
  if(NOT ARG_FILES OR NOT ARG_NAMESPACE OR NOT ARG_FUNCTION)
    message(FATAL_ERROR "kvc_embed_files(${target}): NAMESPACE, FUNCTION and FILES are needed")
  endif()
  set(files)
  foreach(f IN LISTS ARG_FILES)
    get_filename_component(abs ${f} ABSOLUTE)
    list(APPEND files ${abs})
  endforeach()
  string(REPLACE ";" "|" joined "${files}")
  set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/KvcEmbedFilesScript.cmake)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_${ARG_FUNCTION}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${out} -DFILES=${joined} -DNAMESPACE=${ARG_NAMESPACE}
            -DFUNCTION=${ARG_FUNCTION} -P ${script}
    DEPENDS ${files} ${script}
    COMMENT "Embedding the files of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
