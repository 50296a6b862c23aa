# Starts the desktop program under Xvfb with the demo watch, unattended, and checks that the
# watch was found and collected and that a screenshot of the window was saved. TIME_LIMIT_SCALE
# stretches its time limit in the slower sanitizer build.
math(EXPR limit "90 * ${TIME_LIMIT_SCALE}")
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(
  COMMAND ${XVFB_RUN} -a ${PROGRAM} --demo --unattended --screenshot=${WORK_DIR}/window.png
  WORKING_DIRECTORY ${WORK_DIR}
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  RESULT_VARIABLE result
  TIMEOUT ${limit})
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the program ended with ${result}:\n${output}\n${errors}")
endif()
foreach(expected " New coming Disk-D:" " Collecting data from Disk-D:" " >>> Collecting D: Complete <<<")
  string(FIND "${output}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "missing status '${expected}' in:\n${output}")
  endif()
endforeach()
if(NOT EXISTS ${WORK_DIR}/window.png)
  message(FATAL_ERROR "no screenshot was saved")
endif()
file(GLOB months ${WORK_DIR}/Data/Kiro*.BIN)
if(NOT months)
  message(FATAL_ERROR "no month file was written")
endif()

# The end of the first paint is seen under a real display server as well: the start-up figures,
# the update check and the pages made after the first page all wait for it.
execute_process(
  COMMAND ${XVFB_RUN} -a ${PROGRAM} --measure-startup
  WORKING_DIRECTORY ${WORK_DIR}
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  RESULT_VARIABLE result
  TIMEOUT ${limit})
if(NOT result EQUAL 0 OR NOT output MATCHES "startup_ms=[0-9]+ rss_kb=[0-9]+")
  message(FATAL_ERROR "no first paint was seen (${result}):\n${output}\n${errors}")
endif()
