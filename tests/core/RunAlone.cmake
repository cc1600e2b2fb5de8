# Read by ctest after the discovered tests of test_core are defined (test_core_TESTS lists them).
#
# Restoring a backup file that ends early through a Firebird 3 server makes the server's gbak
# close that file twice. In between, another thread of the server may be given the same
# descriptor for a database file or a client's socket, which the second close then takes
# away: other tests on the server lose their connection ("Error reading data from the
# connection", "Unable to complete network request") or the server stops on a bugcheck ("Bad
# file descriptor"). The test that does such restores through the server runs alone.
set(alone "")
foreach(test IN LISTS test_core_TESTS)
  if(test MATCHES "^IBServices/OnEngine\\.FailedRestoreLosesNothing/Server")
    set_tests_properties("${test}" PROPERTIES RUN_SERIAL TRUE)
    list(APPEND alone "${test}")
  endif()
endforeach()
if(test_core_TESTS AND NOT alone)
  message(FATAL_ERROR "RunAlone.cmake: the test to run alone is not among the tests of test_core")
endif()
