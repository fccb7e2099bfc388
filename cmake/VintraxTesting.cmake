# vintrax_add_test(test_<subject> SOURCES <files...> LIBS <targets...> [LABELS <labels...>])
# One executable per test class, run headless by CTest. Every test carries the label of its folder under tests/
# (c64, data, tools, browser, ...), so `ctest -L c64` runs the tests of one layer; LABELS adds more (a test in
# tests/c64 that runs a program of tools/ also carries "tools").
function(vintrax_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    if(NOT name MATCHES "^test_[a-z0-9_]+$")
        message(FATAL_ERROR "Test ${name}: test names are test_<subject> in lower case")
    endif()
    file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}/tests" "${CMAKE_CURRENT_SOURCE_DIR}")
    string(REGEX REPLACE "/.*" "" layer "${folder}")
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} vintrax_testsupport Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${VINTRAX_TEST_ENVIRONMENT}" TIMEOUT 300
        LABELS "${layer};${ARG_LABELS}")
    # Tools and the demo catalogue must be staged before the tests run.
    add_dependencies(${name} vintrax_stage)
endfunction()

# Puts a conversion tool into the staged program folder's Conversion/, and installs it into libexec/vintrax/.
function(vintrax_conversion_tool target)
    set_target_properties(${target} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY "${VINTRAX_TOOLS_DIR}")
    add_dependencies(vintrax_stage ${target})
    install(TARGETS ${target} RUNTIME DESTINATION ${VINTRAX_INSTALL_TOOLS_DIR})
endfunction()
