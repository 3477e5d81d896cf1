# Tests of the Windows build: GoogleTest compiled from the sources Debian
# installs with the googletest package, and every test program run once under
# Wine, in one private prefix made afresh by the first test of a run and shut
# down by the last.
set(gtest_src /usr/src/googletest/googletest)
add_library(quillmar_gtest STATIC ${gtest_src}/src/gtest-all.cc)
target_include_directories(quillmar_gtest SYSTEM PUBLIC ${gtest_src}/include PRIVATE ${gtest_src})
add_library(quillmar_gtest_main STATIC ${gtest_src}/src/gtest_main.cc)
target_link_libraries(quillmar_gtest_main PUBLIC quillmar_gtest)
# Not our code: its warnings are not ours to fix.
set_target_properties(quillmar_gtest quillmar_gtest_main PROPERTIES COMPILE_OPTIONS -w)
add_library(GTest::gtest ALIAS quillmar_gtest)
add_library(GTest::gtest_main ALIAS quillmar_gtest_main)

set(wine_prefix ${CMAKE_BINARY_DIR}/wineprefix)
set(wine_env "WINEPREFIX=${wine_prefix}" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml=")
add_test(NAME wine_prefix COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine_prefix.sh start ${wine_prefix})
add_test(NAME wine_prefix_stop COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine_prefix.sh stop ${wine_prefix})
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${wine_env}" TIMEOUT 180)
set_tests_properties(wine_prefix_stop PROPERTIES FIXTURES_CLEANUP wine ENVIRONMENT "${wine_env}")

# quillmar_under_wine(<test>): runs <test> in the prefix.
function(quillmar_under_wine test)
  set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${wine_env}" TIMEOUT 120)
  set_property(GLOBAL APPEND PROPERTY quillmar_wine_tests ${test})
endfunction()

# quillmar_add_test(<name> SOURCES ... LIBS ...): one GoogleTest program.
function(quillmar_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  quillmar_under_wine(${name})
endfunction()
