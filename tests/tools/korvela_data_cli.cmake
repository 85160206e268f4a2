# Runs the korvela-data executable. Called by CTest with TOOL (the program),
# WORK_DIR (a folder this script owns) and MODE:
#   pack_dump  pack and db-add a document, then dump both files and compare
#              with the document's written form, CR LF line ends included;
#   damaged    dump a foreign file: exit code 1 and one line naming the file;
#   build_strings
#              build a string table and dump it, then build from a list with a
#              malformed line: exit code 1, one line naming the file and line,
#              and the table as it was;
#   build_foods
#              build a food catalogue from a table and dump it, then build from
#              a table with a malformed line: exit code 1, one line naming the
#              file and line, and the catalogue as it was;
#   energy     make a user folder from text with pack and db-add, print the
#              energy figures of four days with KORVELA_TODAY set: the days
#              without a record, the eaten calories of the logged day, the
#              folder as it was; a malformed KORVELA_TODAY exits with 2.
#   search     build a catalogue into a data folder and search it with and
#              without --category: the ranked lines, the no-foods message,
#              exit code 2 for a missing argument.
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
elseif(MODE STREQUAL "build_foods")
  set(header "group\tfood\tprotein\tfat\tcarbohydrate\talcohol\tmeasures\n")
  file(WRITE "${WORK_DIR}/foods.tsv"
    "${header}Fruits\tApples\t0.26\t0.17\t13.81\t0\t1|large|223\n")
  run_tool(rc build.out err build-foods foods.tsv foods.dat)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "build-foods exited with ${rc}: ${err}")
  endif()
  run_tool(rc dumped.txt err dump foods.dat)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dump of the catalogue exited with ${rc}: ${err}")
  endif()
  file(WRITE "${WORK_DIR}/expected.txt"
    "<Foods>\r\n<Cat name=\"Fruits\">\r\n"
    "<Food name=\"Apples\" P=\"0.26\" F=\"0.17\" C=\"13.81\" A=\"0\">\r\n"
    "<w mod=\"1\" desc=\"large\" gr=\"223\">\r\n"
    "</w>\r\n</Food>\r\n</Cat>\r\n</Foods>\r\n")
  expect_same_file(expected.txt dumped.txt)

  file(READ "${WORK_DIR}/foods.dat" before HEX)
  file(WRITE "${WORK_DIR}/foods.tsv"
    "${header}Fruits\tApples\t0.26\t0.17\t13.81\t0\t1|large\n")
  run_tool(rc bad.out err build-foods foods.tsv foods.dat)
  if(NOT rc EQUAL 1)
    message(FATAL_ERROR "build-foods of a malformed table exited with ${rc}, not 1")
  endif()
  string(REGEX MATCHALL "\n" line_ends "${err}")
  list(LENGTH line_ends lines)
  if(NOT lines EQUAL 1 OR NOT err MATCHES "^korvela-data: foods\\.tsv:2: .*\n$")
    message(FATAL_ERROR "expected one line naming foods.tsv:2, got:\n${err}")
  endif()
  file(READ "${WORK_DIR}/foods.dat" after HEX)
  if(NOT after STREQUAL before)
    message(FATAL_ERROR "a malformed table changed foods.dat")
  endif()
elseif(MODE STREQUAL "energy")
  # A man born 1 January 1977 (day 28126), 180 cm, moderately active, with a
  # weigh-in of 70 kg on 15 June 2007 and that day's food.
  set(user "${WORK_DIR}/data/usr1")
  file(MAKE_DIRECTORY "${user}")
  file(WRITE "${WORK_DIR}/li.txt"
    "<LoginInformation UserName=\"Tom\" Password=\"\" AutoLogin=\"False\" UserHeight=\"180\" "
    "UserBirthDate=\"28126\" UserSex=\"0\" UserCreationDate=\"39248\" "
    "UserActivityLevel=\"1\"></LoginInformation>\n")
  file(WRITE "${WORK_DIR}/weigh_in.txt" "<SWeight W=\"70\" BFP=\"-1\"></SWeight>\n")
  file(WRITE "${WORK_DIR}/cal.txt"
    "<SCal P=\"100\" F=\"50\" C=\"300\" A=\"10\" AC=\"1.55\" PW=\"70\"></SCal>\n")
  run_tool(rc pack.out err pack li.txt data/usr1/LI.DAT)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pack of the account file exited with ${rc}: ${err}")
  endif()
  foreach(record "111;weigh_in.txt" "112;cal.txt")
    list(GET record 0 kind)
    list(GET record 1 text)
    run_tool(rc db_add.out err db-add data/usr1/PS22007.dat 666 ${kind} 2007-06-15 ${text})
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "db-add of ${text} exited with ${rc}: ${err}")
    endif()
  endforeach()
  file(GLOB files_before RELATIVE "${user}" "${user}/*")
  file(READ "${user}/LI.DAT" account_before HEX)
  file(READ "${user}/PS22007.dat" records_before HEX)

  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env KORVELA_TODAY=2007-06-16
      "${TOOL}" energy data usr1 2007-06-14 2007-06-17
    WORKING_DIRECTORY "${WORK_DIR}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "energy exited with ${rc}: ${err}")
  endif()
  string(REGEX REPLACE "\n$" "" trimmed "${out}")
  string(REPLACE "\n" ";" lines "${trimmed}")
  list(LENGTH lines count)
  if(NOT count EQUAL 5)
    message(FATAL_ERROR "expected a header and four days, got:\n${out}")
  endif()
  list(GET lines 0 header)
  list(GET lines 1 before_account)
  list(GET lines 2 logged)
  list(GET lines 3 projected)
  list(GET lines 4 after_today)
  # 4 x 100 + 9 x 50 + 4 x 300 + 7 x 10 calories eaten; the weight and
  # coefficient as stored. CMake's expressions have no {n}.
  set(number "[^\t]+\t")
  string(REPEAT "${number}" 6 six)
  string(REPEAT "${number}" 7 seven)
  if(NOT header MATCHES "^#"
     OR NOT before_account STREQUAL "2007-06-14\tno record"
     OR NOT logged MATCHES "^2007-06-15\t2120\t${six}70\t1\\.54999995$"
     OR NOT projected MATCHES "^2007-06-16\t0\t${seven}[^\t]+$"
     OR NOT after_today STREQUAL "2007-06-17\tno record")
    message(FATAL_ERROR "unexpected energy figures:\n${out}")
  endif()
  file(GLOB files_after RELATIVE "${user}" "${user}/*")
  file(READ "${user}/LI.DAT" account_after HEX)
  file(READ "${user}/PS22007.dat" records_after HEX)
  if(NOT files_after STREQUAL files_before OR NOT account_after STREQUAL account_before
     OR NOT records_after STREQUAL records_before)
    message(FATAL_ERROR "energy changed the user folder")
  endif()

  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env KORVELA_TODAY=16.06.2007
      "${TOOL}" energy data usr1 2007-06-14 2007-06-17
    WORKING_DIRECTORY "${WORK_DIR}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 2 OR NOT err MATCHES "KORVELA_TODAY")
    message(FATAL_ERROR "a malformed KORVELA_TODAY gave ${rc}:\n${err}")
  endif()
elseif(MODE STREQUAL "search")
  file(MAKE_DIRECTORY "${WORK_DIR}/data")
  file(WRITE "${WORK_DIR}/foods.tsv"
    "group\tfood\tprotein\tfat\tcarbohydrate\talcohol\tmeasures\n"
    "Fruit\tPineapple\t0.5\t0.1\t13\t0\t\n"
    "Fruit\tPie, apple\t2\t11\t34\t0\t\n"
    "Drinks\tApple juice\t0.1\t0.1\t11\t0\t\n")
  run_tool(rc build.out err build-foods foods.tsv data/foods.dat)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "build-foods exited with ${rc}: ${err}")
  endif()
  foreach(case "all;apple;1\tApple juice\n6\tPie, apple\n"
               "one;apple;1\tApple juice\n"
               "all;kiwi;Your search found no foods\n")
    list(GET case 0 scope)
    list(GET case 1 query)
    list(GET case 2 want)
    if(scope STREQUAL "one")
      run_tool(rc found.txt err search --category 1 data - ${query})
    else()
      run_tool(rc found.txt err search data - ${query})
    endif()
    file(READ "${WORK_DIR}/found.txt" got)
    if(NOT rc EQUAL 0 OR NOT got STREQUAL want)
      message(FATAL_ERROR "search ${scope} ${query} exited with ${rc}:\n${got}${err}")
    endif()
  endforeach()
  run_tool(rc usage.out err search data -)
  if(NOT rc EQUAL 2)
    message(FATAL_ERROR "search without a query exited with ${rc}, not 2")
  endif()
else()
  message(FATAL_ERROR "unknown MODE '${MODE}'")
endif()
