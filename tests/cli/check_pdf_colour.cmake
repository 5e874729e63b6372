# Draws a job's cutting diagrams with yobina-cli and checks that boxes of a
# given colour reached page 1 of the PDF. Called by CTest with -P:
#   CLI, JOB      the program and the job file
#   PDFTOPPM      poppler's rasteriser
#   OUT           the PDF and its picture, without extension
#   COLOUR        rrggbb in lower-case hex, a cut row's fill
execute_process(COMMAND "${CLI}" "${JOB}" --diagrams "${OUT}.pdf" OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "yobina-cli exited with ${status}")
endif()
file(REMOVE "${OUT}.ppm")
execute_process(COMMAND "${PDFTOPPM}" -r 30 -f 1 -l 1 -singlefile "${OUT}.pdf" "${OUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "pdftoppm exited with ${status}")
endif()
file(READ "${OUT}.ppm" pixels HEX)
string(FIND "${pixels}" "${COLOUR}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "no pixel of colour ${COLOUR} on page 1 of ${OUT}.pdf")
endif()
