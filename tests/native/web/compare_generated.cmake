# Runs the GB2312 generator into OUTPUT_DIR and fails unless its output is
# byte for byte the committed TABLE and REFERENCE.
file(MAKE_DIRECTORY "${OUTPUT_DIR}")
execute_process(
  COMMAND "${GENERATOR}" "${OUTPUT_DIR}/gb2312_table.inc" "${OUTPUT_DIR}/gb2312_reference.inc"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the generator failed (${result})")
endif()
foreach(pair "gb2312_table.inc;${TABLE}" "gb2312_reference.inc;${REFERENCE}")
  list(GET pair 0 generated)
  list(GET pair 1 committed)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUTPUT_DIR}/${generated}" "${committed}"
    RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${committed} is not what scripts/gen-gb2312-table makes now; run it and commit the result")
  endif()
endforeach()
