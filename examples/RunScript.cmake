# Runs PROGRAM --script SCRIPT (PROGRAM alone when SCRIPT is not given) and
# fails unless it exits 0, writes nothing on standard error, and writes
# exactly the contents of EXPECTED on standard output.
set(args "")
if(SCRIPT)
  set(args --script ${SCRIPT})
endif()
execute_process(COMMAND ${PROGRAM} ${args}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status STREQUAL "0" OR NOT err STREQUAL "")
  message("${err}")
  message(FATAL_ERROR "${PROGRAM} ${args}: exit status ${status}")
endif()
file(READ ${EXPECTED} expected)
if(NOT out STREQUAL expected)
  message("--- expected\n${expected}--- got\n${out}")
  message(FATAL_ERROR "the output differs from ${EXPECTED}")
endif()
