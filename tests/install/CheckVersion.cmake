# Runs PROGRAM --version and fails unless it exits 0, writes nothing on
# standard error and prints exactly the line EXPECTED.
execute_process(COMMAND ${PROGRAM} --version
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status STREQUAL "0" OR NOT err STREQUAL "" OR NOT out STREQUAL "${EXPECTED}\n")
  message(FATAL_ERROR "${PROGRAM} --version: exit status ${status}, printed '${out}', error output '${err}'; "
                      "expected '${EXPECTED}'")
endif()
