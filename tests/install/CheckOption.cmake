# Runs PROGRAM OPTION and fails unless it exits 0 and writes nothing on
# standard error; --version must print exactly the line EXPECTED, --help a
# usage text on standard output that starts with EXPECTED.
execute_process(COMMAND ${PROGRAM} ${OPTION}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(OPTION STREQUAL "--version")
  string(COMPARE EQUAL "${out}" "${EXPECTED}\n" answered)
else()
  string(FIND "${out}" "${EXPECTED}" at)
  if(at EQUAL 0)
    set(answered TRUE)
  else()
    set(answered FALSE)
  endif()
endif()
if(NOT status STREQUAL "0" OR NOT err STREQUAL "" OR NOT answered)
  message(FATAL_ERROR "${PROGRAM} ${OPTION}: exit status ${status}, printed '${out}', error output '${err}'; "
                      "expected '${EXPECTED}'")
endif()
