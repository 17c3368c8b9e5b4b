# gzip -9n: no name or time stamp in the header, so the same file compresses to the same bytes.
execute_process(COMMAND gzip -9 -n -c "${SOURCE}" OUTPUT_FILE "${TARGET}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "gzip ${SOURCE}: ${result}")
endif()
