# Shared build settings and the helpers that register the project's tests.

add_library(yobina_warnings INTERFACE)
target_compile_options(yobina_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
  $<$<BOOL:${YOBINA_WERROR}>:-Werror>)

# yobina_add_gtest(NAME SOURCES... LIBS ...) — one GoogleTest executable, tests discovered by CTest.
# Every test carries its executable's name as a label, so a stage can run some executables' tests (ctest -L).
function(yobina_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock yobina_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "YOBINA_SOURCE_DIR=${PROJECT_SOURCE_DIR}" LABELS ${name})
endfunction()

# yobina_add_qttest(NAME SOURCES... LIBS ...) — one Qt Test executable, run on the offscreen platform.
function(yobina_add_qttest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test yobina_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;YOBINA_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    LABELS ${name})
endfunction()
