# Checks a built plug-in as a host integrator would: its defined dynamic
# symbols are exactly the function GetController, and its .kvc_version section
# holds "FileVersion=<FILE_VERSION>".
#   cmake -DPLUGIN=<file> -DFILE_VERSION=<a.b.c.d> -P check_plugin_binary.cmake
find_program(NM nm REQUIRED)
find_program(OBJCOPY objcopy REQUIRED)

execute_process(COMMAND ${NM} -D --defined-only ${PLUGIN}
  OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${PLUGIN}")
endif()
string(STRIP "${symbols}" symbols)
string(REPLACE "\n" ";" lines "${symbols}")
list(LENGTH lines count)
if(NOT count EQUAL 1 OR NOT symbols MATCHES " T GetController$")
  message(FATAL_ERROR "expected only the function GetController, found:\n${symbols}")
endif()

get_filename_component(name ${PLUGIN} NAME)
set(section_file ${CMAKE_CURRENT_BINARY_DIR}/${name}.kvc_version)
execute_process(COMMAND ${OBJCOPY} -O binary --only-section=.kvc_version ${PLUGIN} ${section_file}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objcopy failed on ${PLUGIN}")
endif()
file(READ ${section_file} version)
file(REMOVE ${section_file})
string(REPLACE "\\0" "" version "${version}")
string(STRIP "${version}" version)
if(NOT version STREQUAL "FileVersion=${FILE_VERSION}")
  message(FATAL_ERROR "expected FileVersion=${FILE_VERSION}, found '${version}'")
endif()
