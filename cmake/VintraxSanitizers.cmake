# -DVINTRAX_SANITIZE=ON builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (any undefined
# behaviour ends the program), so the whole test suite runs under them.
# -DVINTRAX_FUZZ=ON (clang only) adds the libFuzzer harnesses fuzz_<name> of tests/fuzz, with every library
# instrumented for coverage and built with the same sanitizers.
option(VINTRAX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VINTRAX_FUZZ "Build the libFuzzer harnesses (needs clang; implies VINTRAX_SANITIZE)" OFF)

if(VINTRAX_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VINTRAX_FUZZ needs clang: -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++")
endif()
if(VINTRAX_SANITIZE OR VINTRAX_FUZZ)
    set(VINTRAX_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_compile_options(${VINTRAX_SANITIZER_FLAGS})
    add_link_options(${VINTRAX_SANITIZER_FLAGS})
endif()
if(VINTRAX_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# The environment every test runs in. Under the sanitizers a report ends the test with a stack trace; leaks
# in the Qt libraries themselves (caches kept to the end of the process) are not ours to report.
set(VINTRAX_TEST_ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.qpa.*=false")
if(VINTRAX_SANITIZE OR VINTRAX_FUZZ)
    list(APPEND VINTRAX_TEST_ENVIRONMENT
         "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1"
         "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
         "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan-qt.supp:print_suppressions=0")
endif()
