# One static library per layer. Sources are picked up from the layer's folder,
# so adding a file to a layer needs no edit here.
function(tuner_layer name)
  cmake_parse_arguments(L "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(cpp ${srcs})
  list(FILTER cpp INCLUDE REGEX "\\.cpp$")
  if(cpp)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${L_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${L_DEPS})
  endif()
endfunction()

# One GoogleTest program per test folder, every .cpp in it.
# GUI suites link tuner_test_gui_main (a QApplication on the offscreen
# platform); the others link GoogleTest's own main.
function(tuner_test_suite name)
  cmake_parse_arguments(T "GUI" "XCB_SHARDS" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_DEPS} GTest::gtest GTest::gmock)
  # GCC 12's optimiser reports "text" + std::to_string(n), which the tests write everywhere, as an overlapping
  # copy (a known false alarm of -Wrestrict, only with -O3).
  target_compile_options(${name} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
  if(T_GUI)
    target_link_libraries(${name} PRIVATE tuner_test_gui_main)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_compile_definitions(${name} PRIVATE
    TUNER_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    TUNER_TEST_OUTPUT_DIR="${CMAKE_BINARY_DIR}/test-output"
    TUNER_GOLDEN_DIR="${PROJECT_SOURCE_DIR}/tests/golden")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
               LABELS ${name})
  # The widget suites run a second time under a real X server with no window manager (see
  # tests/support/run-under-xvfb), split into shards that run side by side.
  if(T_GUI)
    if(NOT T_XCB_SHARDS)
      set(T_XCB_SHARDS 1)
    endif()
    math(EXPR last "${T_XCB_SHARDS} - 1")
    foreach(i RANGE ${last})
      add_test(NAME xcb.${name}.${i}
               COMMAND ${PROJECT_SOURCE_DIR}/tests/support/run-under-xvfb $<TARGET_FILE:${name}>)
      set_tests_properties(xcb.${name}.${i} PROPERTIES
        ENVIRONMENT "GTEST_TOTAL_SHARDS=${T_XCB_SHARDS};GTEST_SHARD_INDEX=${i}"
        LABELS "xcb;${name}"
        TIMEOUT 600)
    endforeach()
  endif()
endfunction()
