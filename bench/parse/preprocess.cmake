# cmake -DSH=... -DTOOL=cpp_reference.sh -DHEADER=gen.h -DDIR=includes -DOUT=gen.i -P preprocess.cmake
execute_process(COMMAND ${SH} ${TOOL} ${HEADER} -I${DIR} OUTPUT_FILE ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(REMOVE ${OUT})
  message(FATAL_ERROR "preprocessing ${HEADER} failed: ${rc}")
endif()
