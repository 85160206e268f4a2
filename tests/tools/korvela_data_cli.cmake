# Runs the korvela-data executable. Called by CTest with TOOL (the program),
# WORK_DIR (a folder this script owns) and MODE:
#   pack_dump  pack and db-add a document, then dump both files and compare
#              with the document's written form, CR LF line ends included;
#   damaged    dump a foreign file: exit code 1 and one line naming the file.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

function(run_tool result_var stdout_file stderr_var)
  execute_process(COMMAND "${TOOL}" ${ARGN}
    WORKING_DIRECTORY "${WORK_DIR}"
    RESULT_VARIABLE rc
    OUTPUT_FILE "${WORK_DIR}/${stdout_file}"
    ERROR_VARIABLE err)
  set(${result_var} "${rc}" PARENT_SCOPE)
  set(${stderr_var} "${err}" PARENT_SCOPE)
endfunction()

function(expect_same_file expected actual)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
    "${WORK_DIR}/${expected}" "${WORK_DIR}/${actual}" RESULT_VARIABLE differ)
  if(differ)
    file(READ "${WORK_DIR}/${actual}" got)
    message(FATAL_ERROR "${actual} differs from ${expected}:\n${got}")
  endif()
endfunction()

if(MODE STREQUAL "pack_dump")
  file(WRITE "${WORK_DIR}/food.txt"
    "<Food name=\"Oat &amp; bran\">\n  <Serving g=\"40\">cup</Serving>\n</Food>\n")
  set(written "<Food name=\"Oat &amp; bran\">\r\n<Serving g=\"40\">cup</Serving>\r\n</Food>\r\n")
  file(WRITE "${WORK_DIR}/expected_file.txt" "${written}")
  string(LENGTH "${written}" length)
  math(EXPR size "16 + ${length}")
  file(WRITE "${WORK_DIR}/expected_db.txt" "id=17 date=39083 size=${size}\n${written}")

  run_tool(rc pack.out err pack food.txt food.dat)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pack exited with ${rc}: ${err}")
  endif()
  run_tool(rc dumped_file.txt err dump food.dat)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dump of the packed file exited with ${rc}: ${err}")
  endif()
  expect_same_file(expected_file.txt dumped_file.txt)

  run_tool(rc db_add.out err db-add db.dat 666 17 2007-01-01 food.txt)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "db-add exited with ${rc}: ${err}")
  endif()
  run_tool(rc dumped_db.txt err dump db.dat)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dump of the database exited with ${rc}: ${err}")
  endif()
  expect_same_file(expected_db.txt dumped_db.txt)
elseif(MODE STREQUAL "damaged")
  file(WRITE "${WORK_DIR}/foreign.dat" "a plain text file that was never scrambled\n")
  run_tool(rc dumped.txt err dump foreign.dat)
  if(NOT rc EQUAL 1)
    message(FATAL_ERROR "dump of a foreign file exited with ${rc}, not 1")
  endif()
  string(REGEX MATCHALL "\n" line_ends "${err}")
  list(LENGTH line_ends lines)
  if(NOT lines EQUAL 1 OR NOT err MATCHES "^korvela-data: .*foreign\\.dat.*\n$")
    message(FATAL_ERROR "expected one line naming foreign.dat, got:\n${err}")
  endif()
  file(SIZE "${WORK_DIR}/dumped.txt" printed)
  if(NOT printed EQUAL 0)
    message(FATAL_ERROR "dump of a foreign file printed ${printed} bytes")
  endif()
else()
  message(FATAL_ERROR "unknown MODE '${MODE}'")
endif()
