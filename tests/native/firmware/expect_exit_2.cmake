# Runs ${TOOL} with ${ARG} and passes when it exits with 2 and one line on standard error.
execute_process(COMMAND ${TOOL} ${ARG} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REGEX MATCHALL "\n" lines "${err}")
list(LENGTH lines count)
if(NOT code EQUAL 2 OR NOT count EQUAL 1 OR NOT out STREQUAL "")
  message(FATAL_ERROR "exit ${code}, stdout '${out}', stderr '${err}'")
endif()
