# varkelon_add_test(NAME <name> COMMAND <program or target> [<argument>...]
#                   LABELS unit|system [<label>...]
#                   [ENVIRONMENT <VARIABLE=value>...]
#                   [TIMEOUT <seconds>]
#                   [WORKING_DIRECTORY <folder>]
#                   [PROPERTIES <property> <value>...])
#
# The one way a test joins CTest. A test program (GoogleTest or QtTest) is one
# entry: a failure shows that program's whole report, and the program's own
# options run a single case (--gtest_filter=...). Exactly one of the two kind
# labels:
#   unit    fast, with no X server, valgrind, fuzzer or package tools:
#           `ctest -L unit` runs all of them in seconds, the loop to run
#           while working;
#   system  a real X server, valgrind, the fuzzers, the package tools, or a
#           long run such as the soak and the monkey.
# Further labels name groups a run may leave out (the sanitizer pass leaves
# out fuzz). PROPERTIES passes any other CTest property through.
function(varkelon_add_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME;TIMEOUT;WORKING_DIRECTORY"
                        "COMMAND;LABELS;ENVIRONMENT;PROPERTIES")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "varkelon_add_test: unexpected arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT arg_NAME OR NOT arg_COMMAND)
    message(FATAL_ERROR "varkelon_add_test: NAME and COMMAND are required")
  endif()
  set(kinds ${arg_LABELS})
  list(FILTER kinds INCLUDE REGEX "^(unit|system)$")
  list(LENGTH kinds kind_count)
  if(NOT kind_count EQUAL 1)
    message(FATAL_ERROR "varkelon_add_test(${arg_NAME}): LABELS needs exactly one of unit and system")
  endif()

  if(arg_WORKING_DIRECTORY)
    add_test(NAME ${arg_NAME} COMMAND ${arg_COMMAND} WORKING_DIRECTORY ${arg_WORKING_DIRECTORY})
  else()
    add_test(NAME ${arg_NAME} COMMAND ${arg_COMMAND})
  endif()
  set_tests_properties(${arg_NAME} PROPERTIES LABELS "${arg_LABELS}")
  if(arg_ENVIRONMENT)
    set_tests_properties(${arg_NAME} PROPERTIES ENVIRONMENT "${arg_ENVIRONMENT}")
  endif()
  if(arg_TIMEOUT)
    set_tests_properties(${arg_NAME} PROPERTIES TIMEOUT ${arg_TIMEOUT})
  endif()
  if(arg_PROPERTIES)
    set_tests_properties(${arg_NAME} PROPERTIES ${arg_PROPERTIES})
  endif()
endfunction()
