# Runs PROGRAM --script SCRIPT and fails unless it exits 0, writes nothing
# on standard error, and writes exactly the contents of EXPECTED on standard
# output.
execute_process(COMMAND ${PROGRAM} --script ${SCRIPT}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status STREQUAL "0" OR NOT err STREQUAL "")
  message("${err}")
  message(FATAL_ERROR "${PROGRAM} --script ${SCRIPT}: exit status ${status}")
endif()
file(READ ${EXPECTED} expected)
if(NOT out STREQUAL expected)
  message("--- expected\n${expected}--- got\n${out}")
  message(FATAL_ERROR "the output differs from ${EXPECTED}")
endif()
