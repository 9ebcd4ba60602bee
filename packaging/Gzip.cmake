# cmake -DSOURCE=file -DOUTPUT=file.gz -P Gzip.cmake
execute_process(COMMAND gzip -9 -n -c "${SOURCE}" OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(REMOVE "${OUTPUT}")
    message(FATAL_ERROR "gzip could not compress ${SOURCE}: ${result}")
endif()
