# Helpers that give every target of the project the same flags and layout.
#
#   kvc_library(<name> SOURCES ... [DEPS ...] [PUBLIC_DEPS ...])
#   kvc_executable(<name> SOURCES ... [DEPS ...])
#   kvc_test(<name> SOURCES ... [DEPS ...])
#
# Headers are included by their path below src/ ("runtime/variant.h"), so a
# layer's includes show which layer they come from.

set(KVC_SOURCE_ROOT ${PROJECT_SOURCE_DIR}/src)

function(kvc_apply_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  # GCC 12 reports impossible overlaps inside std::string at -O2 and above
  # (GCC bugs 105329 and 105651); the warning says nothing about our code there.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

function(kvc_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PUBLIC_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${KVC_SOURCE_ROOT})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_DEPS} PRIVATE ${ARG_DEPS})
  kvc_apply_warnings(${name})
endfunction()

function(kvc_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  kvc_apply_warnings(${name})
endfunction()

# One GoogleTest program; every TEST in it becomes a CTest test.
function(kvc_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  kvc_apply_warnings(${name})
  # Parameter values stay out of the test names: printed structures hold
  # addresses that change from build to build.
  gtest_discover_tests(${name}
    NO_PRETTY_VALUES
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "KVC_FIXTURES=${PROJECT_SOURCE_DIR}/tests/fixtures"
    DISCOVERY_TIMEOUT 60)
endfunction()
