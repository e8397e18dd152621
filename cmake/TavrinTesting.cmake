# tavrin_add_gtest(<name> SOURCES ... [LIBS ...] [REAL_INPUT <gtest filter>]): a GoogleTest executable.
# Natively each test case is its own ctest entry; under Wine one process per
# executable keeps the run short (every process start costs a Wine start-up).
# REAL_INPUT names the cases that drive windows with real X input: they run as a second entry,
# <name>_real_input, labelled real_input, the only entries scripts/wine-ctest.sh may run again.
include(GoogleTest)
function(tavrin_add_gtest name)
  cmake_parse_arguments(T "" "REAL_INPUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  if(WIN32)
    set_property(GLOBAL APPEND PROPERTY TAVRIN_WINDOWS_TESTS ${name})
    target_link_options(${name} PRIVATE -static)
    # Helpers every floor's Windows tests share: the pixel canvas, the GDI object count.
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    if(T_REAL_INPUT)
      add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 --gtest_filter=-${T_REAL_INPUT})
      add_test(NAME ${name}_real_input COMMAND ${name} --gtest_brief=1 --gtest_filter=${T_REAL_INPUT})
      # A filter that selects nothing must not pass as a green entry.
      set_tests_properties(${name} ${name}_real_input PROPERTIES FAIL_REGULAR_EXPRESSION " 0 tests from 0 test suites ran")
      set_tests_properties(${name}_real_input PROPERTIES LABELS real_input)
    else()
      add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    endif()
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# tavrin_add_fuzzer(<name> SOURCES ... LIBS ...): libFuzzer target, native clang only.
function(tavrin_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  if(TAVRIN_FUZZ AND NOT WIN32)
    add_executable(${name} ${F_SOURCES})
    target_link_libraries(${name} PRIVATE ${F_LIBS})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  endif()
endfunction()
