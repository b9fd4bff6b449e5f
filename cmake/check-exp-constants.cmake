# ctest exp_constants_unchanged: the committed network/exp_constants.h is what
# the generator prints now (scripts/exp-constants.sh rewrites it).
# cmake -DGENERATOR=<exp_constants program> -DHEADER=<header> -P check-exp-constants.cmake
execute_process(COMMAND ${GENERATOR} OUTPUT_VARIABLE printed RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${GENERATOR} failed: ${failed}")
endif()
file(READ ${HEADER} committed)
if(NOT printed STREQUAL committed)
  message(FATAL_ERROR "${HEADER} differs from what ${GENERATOR} prints; "
                      "run scripts/exp-constants.sh and review the difference")
endif()
