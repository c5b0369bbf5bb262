include(GoogleTest)
find_package(GTest REQUIRED)
find_package(Qt6 REQUIRED COMPONENTS Test)

# discora_add_test(NAME SOURCES src... [GUI])
# One test executable on GoogleTest. Core tests link the core library and run
# under a QGuiApplication; GUI tests link the application library and run
# under a QApplication. Both run on the offscreen platform with a sandboxed
# settings folder (see tests/support/TestMain.cpp).
function(discora_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_GUI)
    target_link_libraries(${name} PRIVATE discora_app discora_test_main_gui)
  else()
    target_link_libraries(${name} PRIVATE discora_core discora_test_main)
  endif()
  target_link_libraries(${name} PRIVATE GTest::gtest Qt6::Test FreeImage::FreeImage)
  target_compile_definitions(${name} PRIVATE
    DISCORA_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    DISCORA_SAMPLES_DIR="${PROJECT_SOURCE_DIR}/data/samples"
    DISCORA_BINARY_DIR="${CMAKE_BINARY_DIR}"
    DISCORA_EXECUTABLE="$<TARGET_FILE:discora>")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
