# The system's own texts are GBK bytes at run time while the sources are
# UTF-8: let the compiler convert narrow string literals. GB18030 gives the
# same bytes as GBK for every character GBK holds, and unlike GBK it can
# encode the few non-GBK characters in standard headers (<chrono>'s micro
# sign). Targets that hand literals to the toolkit (which wants UTF-8) must
# not use this.
function(kavoro_gbk_literals target)
  target_compile_options(${target} PRIVATE -fexec-charset=GB18030)
endfunction()

# A source defining ServiceHost and ServiceWwwHost for a program built for
# other hosts than the configured ones (tests, benchmarks). In a function of
# its own, so that the cache options are not shadowed where it is called.
function(kavoro_service_hosts_source output host wwwHost)
  set(SERVICE_HOST ${host})
  set(SERVICE_WWW_HOST ${wwwHost})
  configure_file(${PROJECT_SOURCE_DIR}/workflow/service_hosts.cpp.in ${output} @ONLY)
endfunction()

# A GoogleTest executable whose cases become ctest tests. RESOURCE_LOCK
# names something (a fixed port) that its cases must not use at once.
function(kavoro_add_test name)
  cmake_parse_arguments(ARG "GBK" "RESOURCE_LOCK" "SOURCES;LIBRARIES;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main)
  if(ARG_GBK)
    kavoro_gbk_literals(${name})
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set(properties ENVIRONMENT "${ARG_ENVIRONMENT}")
  if(ARG_RESOURCE_LOCK)
    list(APPEND properties RESOURCE_LOCK ${ARG_RESOURCE_LOCK})
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
endfunction()
