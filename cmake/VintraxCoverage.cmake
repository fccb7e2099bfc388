# -DVINTRAX_COVERAGE=ON builds everything unoptimised with gcov instrumentation, so that a run of the suite leaves
# the line and branch counts scripts/coverage.sh reports for src/ and tools/ (the tools run as child processes
# write their own counts).
option(VINTRAX_COVERAGE "Build with gcov instrumentation for line and branch coverage" OFF)
if(VINTRAX_COVERAGE)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        message(FATAL_ERROR "VINTRAX_COVERAGE needs g++ (gcov)")
    endif()
    add_compile_options(-O0 --coverage)
    add_link_options(--coverage)
endif()
