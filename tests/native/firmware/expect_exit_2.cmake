# Runs ${TOOL} with ${ARG} (and ${ARG2}, ${ARG3} when given) and passes when it exits with 2,
# one line on standard error and nothing on standard output.
set(args ${ARG})
foreach(more ARG2 ARG3)
  if(DEFINED ${more})
    list(APPEND args ${${more}})
  endif()
endforeach()
execute_process(COMMAND ${TOOL} ${args} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REGEX MATCHALL "\n" lines "${err}")
list(LENGTH lines count)
if(NOT code EQUAL 2 OR NOT count EQUAL 1 OR NOT out STREQUAL "")
  message(FATAL_ERROR "exit ${code}, stdout '${out}', stderr '${err}'")
endif()
