# Prints the code page 932 listing of the program's table (cp932listing) and
# of Qt's ICU converter with the earlier fix-ups (cp932-reference), and
# writes the table again from the latter: the listings and the checked-in
# table must match. Skips where Qt lacks the ICU converter.
# Usage: cmake -DLISTING=... -DREFERENCE=... -DTABLE=... -DWORK_DIR=... -P cp932-listing.cmake
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${REFERENCE} listing
    OUTPUT_FILE ${WORK_DIR}/reference.txt ERROR_VARIABLE error RESULT_VARIABLE result)
if(result EQUAL 77)
    message("skipped: ${error}")
    return()
elseif(NOT result EQUAL 0)
    message(FATAL_ERROR "cp932-reference listing failed (${result}): ${error}")
endif()
execute_process(COMMAND ${LISTING} OUTPUT_FILE ${WORK_DIR}/table.txt RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cp932listing failed (${result})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
    ${WORK_DIR}/reference.txt ${WORK_DIR}/table.txt RESULT_VARIABLE differ)
if(differ)
    message(FATAL_ERROR "The table's listing differs from the ICU converter's: "
        "diff ${WORK_DIR}/reference.txt ${WORK_DIR}/table.txt")
endif()

execute_process(COMMAND ${REFERENCE} table ${WORK_DIR}/cp932table.inc RESULT_VARIABLE result)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
    ${WORK_DIR}/cp932table.inc ${TABLE} RESULT_VARIABLE differ)
if(NOT result EQUAL 0 OR differ)
    message(FATAL_ERROR "${TABLE} is not what cp932-reference writes: "
        "diff ${WORK_DIR}/cp932table.inc ${TABLE}")
endif()
message("The listings match (${WORK_DIR}/table.txt)")
