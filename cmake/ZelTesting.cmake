# zel_add_gtest(NAME SOURCES... LIBS ...): one GoogleTest executable, registered with CTest.
# zel_add_qtest(NAME SOURCES... LIBS ...): one Qt Test executable, run offscreen.
# Both run with verifiers of the lowest cost, so that test databases are fast
# to create and to sign in to.
find_package(GTest REQUIRED)

function(zel_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZEL_SOURCE_DIR=${PROJECT_SOURCE_DIR};ZEL_VERIFIER_ITERATIONS=1000" TIMEOUT 600)
endfunction()

function(zel_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test Qt6::Widgets)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZEL_SOURCE_DIR=${PROJECT_SOURCE_DIR};ZEL_VERIFIER_ITERATIONS=1000" TIMEOUT 600)
endfunction()
