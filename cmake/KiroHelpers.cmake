# kiro_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>]
#               [SLOW <gtest patterns...>])
# Adds one GoogleTest program and registers each of its test cases with CTest. Every case is
# labelled `fast` or `slow`: the cases that a SLOW pattern matches ("*" for all of them) are
# slow, the others fast, so that `ctest -L fast` runs in under a minute. LABELS adds labels of
# its own (`gui`), and in the Windows build, whose tests run under Wine, every case is `wine`.
function(kiro_add_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS;LABELS;SLOW" ${ARGN})
  list(JOIN ARG_SLOW ":" slow)
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  # One value per property: the discovery writes each element of a list as a word of its own.
  set(common WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} DISCOVERY_TIMEOUT 60
             PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  # The labels are set once the cases are known, by a script CTest reads after the discovery's.
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}_labels.cmake)
  file(WRITE ${script} "")
  foreach(speed fast slow)
    if(speed STREQUAL "fast" AND NOT slow STREQUAL "*")
      set(filter)
      if(slow)
        set(filter TEST_FILTER "-${slow}")
      endif()
    elseif(speed STREQUAL "slow" AND slow)
      set(filter TEST_FILTER "${slow}")
    else()
      continue()
    endif()
    gtest_discover_tests(${ARG_NAME} ${common} ${filter} TEST_LIST ${ARG_NAME}_${speed})
    kiro_test_labels(labels ${speed} ${ARG_LABELS})
    file(APPEND ${script}
         "if(${ARG_NAME}_${speed})\n"
         "  set_tests_properties(\${${ARG_NAME}_${speed}} PROPERTIES LABELS \"${labels}\")\n"
         "endif()\n")
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()

# kiro_test_labels(<var> <labels...>): the labels given, and `wine` when the tests run under Wine.
function(kiro_test_labels var)
  set(labels ${ARGN})
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    list(APPEND labels wine)
  endif()
  set(${var} "${labels}" PARENT_SCOPE)
endfunction()

# kiro_glob_sources(<var> <dir>): every .cpp below a folder, re-globbed when files are added.
function(kiro_glob_sources var dir)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(${var} ${found} PARENT_SCOPE)
endfunction()
