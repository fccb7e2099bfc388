# vintrax_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One executable per test class, run headless by CTest.
function(vintrax_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} vintrax_testsupport Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${VINTRAX_TEST_ENVIRONMENT}" TIMEOUT 300)
    # Tools and the demo catalogue must be staged before the tests run.
    add_dependencies(${name} vintrax_stage)
endfunction()

# Puts a conversion tool into the staged program folder's Conversion/.
function(vintrax_conversion_tool target)
    set_target_properties(${target} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY "${VINTRAX_TOOLS_DIR}")
    add_dependencies(vintrax_stage ${target})
endfunction()
