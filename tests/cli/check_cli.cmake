# Runs yobina-cli once and checks what it did. Called by CTest with -P:
#   CLI        the program
#   ARGS       its arguments, separated by "|"
#   EXIT       the expected exit status
#   STDOUT     file the output must equal (else the output must be empty, unless STDOUT_HAS is given)
#   STDOUT_HAS text the output must contain
#   STDERR     text stderr must equal (a line end is added); else stderr must be empty
#   STDERR_FILE file stderr must equal
#   PRODUCED / PRODUCED_EQUALS   a file the run writes, and the file it must equal
#   PRODUCED_PREFIX              or the text it must start with
string(REPLACE "|" ";" args "${ARGS}")
if(PRODUCED)
  file(REMOVE "${PRODUCED}")
endif()
execute_process(COMMAND "${CLI}" ${args} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)

set(failures "")
if(NOT status STREQUAL "${EXIT}")
  string(APPEND failures "exit status ${status}, expected ${EXIT}\n")
endif()

if(STDOUT)
  file(READ "${STDOUT}" expected)
  if(NOT out STREQUAL expected)
    # Script mode: the current binary folder is the test's working folder, in the build tree.
    get_filename_component(name "${STDOUT}" NAME)
    file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/${name}.actual" "${out}")
    string(APPEND failures "stdout differs from ${STDOUT} (got ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual)\n")
  endif()
elseif(STDOUT_HAS)
  string(FIND "${out}" "${STDOUT_HAS}" at)
  if(at EQUAL -1)
    string(APPEND failures "stdout lacks '${STDOUT_HAS}':\n${out}\n")
  endif()
elseif(NOT out STREQUAL "")
  string(APPEND failures "unexpected stdout:\n${out}\n")
endif()

if(STDERR_FILE)
  file(READ "${STDERR_FILE}" expected_err)
elseif(DEFINED STDERR)
  set(expected_err "${STDERR}\n")
else()
  set(expected_err "")
endif()
if(NOT err STREQUAL expected_err)
  string(APPEND failures "stderr:\n${err}\nexpected:\n${expected_err}\n")
endif()

if(PRODUCED)
  if(NOT EXISTS "${PRODUCED}")
    string(APPEND failures "${PRODUCED} was not written\n")
  elseif(PRODUCED_EQUALS)
    file(READ "${PRODUCED}" produced HEX)
    file(READ "${PRODUCED_EQUALS}" wanted HEX)
    if(NOT produced STREQUAL wanted)
      string(APPEND failures "${PRODUCED} differs from ${PRODUCED_EQUALS}\n")
    endif()
  elseif(PRODUCED_PREFIX)
    string(LENGTH "${PRODUCED_PREFIX}" length)
    file(READ "${PRODUCED}" head LIMIT 64)
    string(SUBSTRING "${head}" 0 ${length} head)
    if(NOT head STREQUAL "${PRODUCED_PREFIX}")
      string(APPEND failures "${PRODUCED} does not start with ${PRODUCED_PREFIX}\n")
    endif()
  endif()
endif()

if(failures)
  message(FATAL_ERROR "yobina-cli ${ARGS}\n${failures}")
endif()
