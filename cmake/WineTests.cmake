# Tests of a Windows test program under Wine, in both bitnesses, where the
# native build has the Wine harness of component/wine:
#   qv_wine_tests(NAME form_logic PROGRAM testprog/tests/form_logic_tests.exe)
# adds wine.form_logic.64 and wine.form_logic.32, which skip (77) where a
# bitness cannot run.  PROGRAM is relative to the MinGW build trees.
function(qv_wine_tests)
  cmake_parse_arguments(arg "" "NAME;PROGRAM" "" ${ARGN})
  get_property(wine_test GLOBAL PROPERTY QV_WINE_TEST)
  get_property(wine_env GLOBAL PROPERTY QV_WINE_ENV)
  if(NOT wine_test)
    return()
  endif()
  foreach(bits 64 32)
    add_test(NAME wine.${arg_NAME}.${bits} COMMAND ${wine_test} run ${bits} ${arg_PROGRAM})
    set_tests_properties(wine.${arg_NAME}.${bits} PROPERTIES
      FIXTURES_REQUIRED WinePrefix SKIP_RETURN_CODE 77 TIMEOUT 300 ENVIRONMENT "${wine_env}")
  endforeach()
endfunction()
