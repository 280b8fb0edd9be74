# bmt_native_test(name SOURCES ... LIBS ...): a GoogleTest suite of the native build,
# registered test by test with CTest.
function(bmt_native_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  if(BMT_WINDOWS)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120 LABELS native)
endfunction()

# bmt_wine_test(name SOURCES ... LIBS ... [TIMEOUT s] [LABEL l]): a GoogleTest suite of the
# win32 build, run under Wine as one CTest test (Wine starts are costly).
function(bmt_wine_test name)
  cmake_parse_arguments(T "" "TIMEOUT;LABEL" "SOURCES;LIBS" ${ARGN})
  if(NOT BMT_WINDOWS)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(NOT T_LABEL)
    set(T_LABEL wine)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gmock gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS ${T_LABEL}
    ENVIRONMENT "BMT_OUT_DIR=${CMAKE_BINARY_DIR}/out;BMT_RUN_DIR=${CMAKE_BINARY_DIR}/run;BMT_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()

# bmt_require_targets(WHAT TARGET...): stops the configuration with a clear message when a
# target that WHAT is built from is missing, instead of leaving WHAT out unnoticed.
function(bmt_require_targets what)
  foreach(target ${ARGN})
    if(NOT TARGET ${target})
      message(FATAL_ERROR "${what} needs the target ${target}, which is not defined; "
                          "its folder is missing or was configured out")
    endif()
  endforeach()
endfunction()
