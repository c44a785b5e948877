# The form converter must stop the build on a character TCVN3 cannot encode,
# naming the file, line and column, and leave no output behind.
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${CONVERTER} ${INPUT} ${OUTPUT}
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(rc EQUAL 0)
  message(FATAL_ERROR "the converter accepted ${INPUT}")
endif()
if(NOT err MATCHES "Unencodable.kxf:3:15: error: character U\\+1EA4 cannot be encoded in TCVN3")
  message(FATAL_ERROR "unexpected message: ${err}")
endif()
if(EXISTS ${OUTPUT})
  message(FATAL_ERROR "the converter left ${OUTPUT}")
endif()
