# corvane_library(NAME DEPENDS...): one static library from every source of the current folder.
function(corvane_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# The suites that run the whole program headless; every other suite tests one layer on its own.
set(CORVANE_PROGRAM_SUITES app catalog wizard view3d terrain)

# corvane_test_suite(NAME FOLDER LIBRARIES...): one GoogleTest binary from tests/FOLDER, its tests
# labelled program or unit (ctest -L program).
function(corvane_test_suite name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} corvane_test_support GTest::gtest GTest::gtest_main GTest::gmock)
  set(label unit)
  if(folder IN_LIST CORVANE_PROGRAM_SUITES)
    set(label program)
  endif()
  # The program turns the 3D driver's own shader cache off as it starts; the tests, which start
  # elsewhere, do the same, so that they write nothing into the cache home of whoever runs them.
  # Each keeps a core busy: it takes two of the slots scripts/test.sh gives CTest, two a core,
  # where a desktop test, which mostly waits, takes one.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT
                       "CORVANE_TEST=1;MESA_SHADER_CACHE_DISABLE=true;MESA_GLSL_CACHE_DISABLE=true"
                       LABELS ${label} PROCESSORS 2)
endfunction()
