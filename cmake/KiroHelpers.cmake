# kiro_add_test(NAME <name> SOURCES <files...> LIBS <targets...>)
# Adds one GoogleTest program and registers each of its test cases with CTest.
function(kiro_add_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${ARG_NAME}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KIRO_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    DISCOVERY_TIMEOUT 60)
endfunction()

# kiro_glob_sources(<var> <dir>): every .cpp below a folder, re-globbed when files are added.
function(kiro_glob_sources var dir)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(${var} ${found} PARENT_SCOPE)
endfunction()
