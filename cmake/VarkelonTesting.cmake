# varkelon_add_test(NAME <name> COMMAND <program or target> [<argument>...]
#                   LABELS unit|slow|system [<label>...]
#                   [SOURCES <file>... LINK <library>... [PROGRAM <target>] [AUTOMOC]]
#                   [ENVIRONMENT <VARIABLE=value>...]
#                   [TIMEOUT <seconds>]
#                   [WORKING_DIRECTORY <folder>]
#                   [PROPERTIES <property> <value>...])
#
# The one way a test joins CTest. A test program (GoogleTest or QtTest) is one
# entry: a failure shows that program's whole report, and the program's own
# options run a single case (--gtest_filter=...). Exactly one of the three
# kind labels:
#   unit    fast, with no X server, valgrind, fuzzer or package tools:
#           `ctest -L unit` runs all of them in seconds, the loop to run
#           while working;
#   slow    no X server either, but more than the quick loop can carry: a
#           check over the whole source tree, scratch configurations, a
#           Python interpreter's start and suites;
#   system  a real X server, valgrind, the fuzzers, the package tools, or a
#           long run such as the soak and the monkey.
# Further labels name groups a run may leave out (the sanitizer pass leaves
# out fuzz). PROPERTIES passes any other CTest property through.
#
# With SOURCES the test program is made here too, so that a new suite is one
# call: the executable PROGRAM (varkelon-<name>-tests unless given) from the
# sources, linked to the LINK libraries, with Qt's moc when AUTOMOC is given;
# COMMAND may then be left out and runs that program. In the WebAssembly
# build the program links for node, and CTest runs it there (emscripten's
# toolchain names node as the cross-compiling emulator).
function(varkelon_add_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "AUTOMOC" "NAME;TIMEOUT;WORKING_DIRECTORY;PROGRAM"
                        "COMMAND;LABELS;ENVIRONMENT;PROPERTIES;SOURCES;LINK")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "varkelon_add_test: unexpected arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(arg_SOURCES)
    if(NOT arg_PROGRAM)
      set(arg_PROGRAM varkelon-${arg_NAME}-tests)
    endif()
    add_executable(${arg_PROGRAM} ${arg_SOURCES})
    target_link_libraries(${arg_PROGRAM} PRIVATE ${arg_LINK})
    target_link_options(${arg_PROGRAM} PRIVATE ${VARKELON_NODE_LINK_OPTIONS})
    if(arg_AUTOMOC)
      set_target_properties(${arg_PROGRAM} PROPERTIES AUTOMOC ON)
    endif()
    if(NOT arg_COMMAND)
      set(arg_COMMAND ${arg_PROGRAM})
    endif()
  elseif(arg_PROGRAM OR arg_LINK OR arg_AUTOMOC)
    message(FATAL_ERROR "varkelon_add_test(${arg_NAME}): PROGRAM, LINK and AUTOMOC need SOURCES")
  endif()
  if(NOT arg_NAME OR NOT arg_COMMAND)
    message(FATAL_ERROR "varkelon_add_test: NAME and COMMAND (or SOURCES) are required")
  endif()
  set(kinds ${arg_LABELS})
  list(FILTER kinds INCLUDE REGEX "^(unit|slow|system)$")
  list(LENGTH kinds kind_count)
  if(NOT kind_count EQUAL 1)
    message(FATAL_ERROR "varkelon_add_test(${arg_NAME}): LABELS needs exactly one of unit, slow and system")
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
