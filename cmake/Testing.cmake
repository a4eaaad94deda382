# The program's tests never read or write the user's own settings, data or display, also when ctest runs them
# directly; each ctest run starts them from empty folders.
set(PT_TEST_HOME ${CMAKE_BINARY_DIR}/test-home)
add_test(NAME pt_reset_test_home COMMAND ${CMAKE_COMMAND} -DFOLDER=${PT_TEST_HOME} -P
                                         ${CMAKE_CURRENT_LIST_DIR}/ResetTestHome.cmake)
set_tests_properties(pt_reset_test_home PROPERTIES FIXTURES_SETUP test_home)
set(PT_TEST_ENVIRONMENT
    QT_QPA_PLATFORM=offscreen HOME=${PT_TEST_HOME}/home XDG_CONFIG_HOME=${PT_TEST_HOME}/config
    XDG_DATA_HOME=${PT_TEST_HOME}/data)

# pt_add_gtest(name LIBS...): one GoogleTest executable from every *.cpp in the calling folder.
function(pt_add_gtest name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} pt_options GTest::gtest GTest::gmock GTest::gtest_main)
  # These tests give themselves settings and data folders of their own where they need them.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# pt_add_qt_tests(LIBS...): one Qt Test executable per *.cpp in the calling folder, each a CTest test.
function(pt_add_qt_tests)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(source IN LISTS sources)
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE ${ARGN} pt_options Qt6::Test)
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${PT_TEST_ENVIRONMENT}" FIXTURES_REQUIRED test_home
                                            TIMEOUT 300)
  endforeach()
endfunction()
