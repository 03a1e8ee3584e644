# Shared build rules of the suite.

set(KV_WARNINGS -Wall -Wextra -Wpedantic -Wno-unused-parameter)

# A library of units (forms, classes) of one folder.
function(kv_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${KV_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# A program: its forms live in a library, the executable holds only main.
# The version record lets GetFileVersion read the version from the file itself.
function(kv_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/platform/os/VersionRecord.cpp)
  target_compile_options(${name} PRIVATE ${KV_WARNINGS})
  target_compile_definitions(${name} PRIVATE
    KV_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} KV_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    KV_VERSION_RELEASE=${PROJECT_VERSION_PATCH} KV_VERSION_BUILD=${PROJECT_VERSION_TWEAK})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
endfunction()

# A GoogleTest executable registered with CTest. Every test runs offscreen in
# its own temporary home (see tests/support/kvtest_main.cpp), so ctest -j is safe.
# DB marks tests that need the loopback PostgreSQL server of the test run.
function(kv_test name)
  cmake_parse_arguments(ARG "DB" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${KV_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} kvtest_main GTest::gtest)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set(env "QT_QPA_PLATFORM=offscreen" "KV_SCREENS_DIR=${KV_SCREENS_DIR}"
          "KV_BIN_DIR=${CMAKE_BINARY_DIR}/bin" "KV_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
          "KV_PG_STATE=${CMAKE_BINARY_DIR}/pgtest/state.env")
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 600)
  if(ARG_DB)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED pgserver LABELS db)
  endif()
endfunction()

# The tests of one folder: tests/*.cpp form <lib>_tests, tests/db/*.cpp form
# <lib>_dbtests (which need the PostgreSQL server of the test run).
function(kv_folder_tests lib)
  file(GLOB unit CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  file(GLOB db CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/db/*.cpp)
  if(unit)
    kv_test(${lib}_tests SOURCES ${unit} LIBS ${lib} ${ARGN})
  endif()
  if(db)
    kv_test(${lib}_dbtests DB SOURCES ${db} LIBS ${lib} kvdbtest ${ARGN})
  endif()
endfunction()

# A library made of every .cpp of its folder (tests and main.cpp excepted).
function(kv_folder_library name)
  cmake_parse_arguments(ARG "" "" "LIBS;EXCLUDE" ${ARGN})
  file(GLOB src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER src EXCLUDE REGEX "/main\\.cpp$")
  foreach(x IN LISTS ARG_EXCLUDE)
    list(FILTER src EXCLUDE REGEX "/${x}$")
  endforeach()
  kv_library(${name} SOURCES ${src} LIBS ${ARG_LIBS})
endfunction()
