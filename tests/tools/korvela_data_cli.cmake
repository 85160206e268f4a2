# Runs the korvela-data executable. Called by CTest with TOOL (the program),
# WORK_DIR (a folder this script owns) and MODE:
#   pack_dump  pack and db-add a document, then dump both files and compare
#              with the document's written form, CR LF line ends included;
#   damaged    dump a foreign file: exit code 1 and one line naming the file;
#   build_strings
#              build a string table and dump it, then build from a list with a
#              malformed line: exit code 1, one line naming the file and line,
#              and the table as it was.
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
elseif(MODE STREQUAL "build_strings")
  file(WRITE "${WORK_DIR}/strings.txt" "# strings\n10\tTitle &amp; more\n\n44\tLabel:\n")
  set(written10 "<S>Title &amp;amp; more</S>\r\n")
  set(written44 "<S>Label:</S>\r\n")
  string(LENGTH "${written10}" length10)
  string(LENGTH "${written44}" length44)
  math(EXPR size10 "16 + ${length10}")
  math(EXPR size44 "16 + ${length44}")
  file(WRITE "${WORK_DIR}/expected_table.txt"
    "id=10 date=10 size=${size10}\n${written10}id=44 date=44 size=${size44}\n${written44}")

  run_tool(rc build.out err build-strings strings.txt rs.dat)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "build-strings exited with ${rc}: ${err}")
  endif()
  run_tool(rc dumped_table.txt err dump rs.dat)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dump of the string table exited with ${rc}: ${err}")
  endif()
  expect_same_file(expected_table.txt dumped_table.txt)

  file(READ "${WORK_DIR}/rs.dat" before HEX)
  file(WRITE "${WORK_DIR}/strings.txt" "10\tTitle\n44 Label:\n")
  run_tool(rc bad.out err build-strings strings.txt rs.dat)
  if(NOT rc EQUAL 1)
    message(FATAL_ERROR "build-strings of a malformed list exited with ${rc}, not 1")
  endif()
  string(REGEX MATCHALL "\n" line_ends "${err}")
  list(LENGTH line_ends lines)
  if(NOT lines EQUAL 1 OR NOT err MATCHES "^korvela-data: strings\\.txt:2: .*\n$")
    message(FATAL_ERROR "expected one line naming strings.txt:2, got:\n${err}")
  endif()
  file(READ "${WORK_DIR}/rs.dat" after HEX)
  if(NOT after STREQUAL before)
    message(FATAL_ERROR "a malformed list changed rs.dat")
  endif()
else()
  message(FATAL_ERROR "unknown MODE '${MODE}'")
endif()
