# Small helpers so each folder declares its library, tests and benchmarks in one line each.

set(ZERBO_PORTABLE_LIBS core gfx barcode qr components app automation)

# A portable library, built in both trees: zerbo_library(gfx SOURCES ... DEPENDS core)
function(zerbo_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;PUBLIC_LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} ${ARG_PUBLIC_LIBS})
endfunction()

if(NOT WIN32)
  find_package(GTest REQUIRED)
  include(GoogleTest)
  # A native unit test program: zerbo_unit_test(qr_test SOURCES qr_test.cpp LIBS qr)
  function(zerbo_unit_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE ZERBO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} DISCOVERY_TIMEOUT 60)
  endfunction()

  find_package(benchmark QUIET)
  # A benchmark program, built natively only: zerbo_benchmark(linear_bench SOURCES ... LIBS ...)
  function(zerbo_benchmark name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  endfunction()
else()
  # A Win32 test program run under Wine by ctest, one ctest test per program
  # (discovering each case would start Wine once per case).
  function(zerbo_win_test name)
    cmake_parse_arguments(ARG "OWN_MAIN" "" "SOURCES;LIBS;ARGS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} gtest $<$<NOT:$<BOOL:${ARG_OWN_MAIN}>>:gtest_main>)
    target_compile_definitions(${name} PRIVATE ZERBO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    add_test(NAME ${name} COMMAND ${name} ${ARG_ARGS})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  endfunction()
endif()

# libjpeg: Debian's natively, the cross-built static one (scripts/setup) for Windows.
if(WIN32)
  set(ZERBO_DEPS "/opt/zerbo-deps" CACHE PATH "Dependencies built by scripts/setup")
  add_library(zerbo_jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(zerbo_jpeg PROPERTIES
    IMPORTED_LOCATION ${ZERBO_DEPS}/mingw64-libjpeg/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${ZERBO_DEPS}/mingw64-libjpeg/include)
else()
  find_package(JPEG REQUIRED)
  add_library(zerbo_jpeg INTERFACE IMPORTED GLOBAL)
  target_link_libraries(zerbo_jpeg INTERFACE JPEG::JPEG)
endif()
