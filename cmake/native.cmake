# Host build of the Win32-free rules: unit tests under AddressSanitizer and UndefinedBehaviorSanitizer.
option(MARDELLO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(MARDELLO_SANITIZE)
    set(sanitize -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(mardello_rules PUBLIC ${sanitize})
    target_link_options(mardello_rules PUBLIC ${sanitize})
endif()

# The system converts code pages in the program; here the C library does.
target_sources(mardello_rules PRIVATE ${CMAKE_SOURCE_DIR}/framework/CodePageTextIconv.cpp)

find_package(GTest REQUIRED)
include(GoogleTest)
# One folder of tests per folder of the program.
file(GLOB UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*/*_test.cpp)
add_executable(unit_tests ${UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE mardello_rules GTest::gtest_main)
target_compile_options(unit_tests PRIVATE ${MARDELLO_WARNINGS})
# Rows that read the sample device's reports find them here.
target_compile_definitions(unit_tests PRIVATE MARDELLO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)

# Fuzz targets, one per rule that takes outside bytes. Under clang they are libFuzzer programs
# (scripts/fuzz runs them for a given time), over a copy of the rules built with coverage;
# under any other compiler they replay their corpus plus fixed-seed mutations of it. Either
# way the test run gives each a short, repeatable run over tests/fuzz/corpus.
file(GLOB FUZZ_TARGETS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_library(mardello_rules_fuzz STATIC ${RULES_SOURCES} ${CMAKE_SOURCE_DIR}/framework/CodePageTextIconv.cpp)
    target_include_directories(mardello_rules_fuzz PUBLIC ${CMAKE_SOURCE_DIR})
    target_compile_options(mardello_rules_fuzz PRIVATE ${MARDELLO_WARNINGS}
        PUBLIC -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(mardello_rules_fuzz PUBLIC -fsanitize=fuzzer,address,undefined)
endif()
foreach(source ${FUZZ_TARGETS})
    get_filename_component(target ${source} NAME_WE)
    string(REGEX REPLACE "_fuzz$" "" corpus ${target})
    set(corpus_dir ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${corpus})
    if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        add_executable(${target} ${source})
        target_link_libraries(${target} PRIVATE mardello_rules_fuzz)
        add_test(NAME ${target} COMMAND ${target} -seed=1 -runs=20000 -max_len=4096 ${corpus_dir})
    else()
        add_executable(${target} ${source} ${CMAKE_SOURCE_DIR}/tests/fuzz/ReplayMain.cpp)
        target_link_libraries(${target} PRIVATE mardello_rules)
        add_test(NAME ${target} COMMAND ${target} ${corpus_dir})
    endif()
    target_compile_options(${target} PRIVATE ${MARDELLO_WARNINGS})
    set_tests_properties(${target} PROPERTIES TIMEOUT 120)
endforeach()
