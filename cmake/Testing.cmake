# kx_add_test(<name> SOURCES <files...> [LIBS <targets...>] [GUI] [NO_MAIN] [TIMEOUT <s>])
#
# One GoogleTest program is one ctest test: starting a Windows program under
# Wine costs seconds, so cases are grouped per program, not per ctest entry.
# GUI marks tests that open windows; they run on the display of the test run
# (tools/wine-run starts Xvfb when there is none), one at a time, so that no
# other test's window covers what a screenshot or a click expects. In the
# emulated machine each runs on a display of its own, as many at once as it
# has displays (test.sh gives ctest their list).
enable_testing()

# Set by test.sh when the test programs run in the emulated machine
# (tools/vm), which is many times slower than this one.
option(KX_EMULATED "Test programs run in the emulated machine" OFF)
if(KX_EMULATED)
  set(KX_TIMEOUT_SCALE 6)
else()
  set(KX_TIMEOUT_SCALE 1)
endif()

function(kx_add_test name)
  cmake_parse_arguments(T "GUI;NO_MAIN" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest kx_testemulation ${T_LIBS})
  if(NOT T_NO_MAIN)
    target_link_libraries(${name} PRIVATE kx_testmain)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  math(EXPR T_TIMEOUT "${T_TIMEOUT} * ${KX_TIMEOUT_SCALE}")
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_GUI)
    if(KX_EMULATED)
      set_tests_properties(${name} PROPERTIES LABELS gui RESOURCE_GROUPS display:1)
    else()
      set_tests_properties(${name} PROPERTIES LABELS gui RESOURCE_LOCK display)
    endif()
  endif()
endfunction()
