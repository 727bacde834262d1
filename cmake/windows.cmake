# The 32-bit Windows build (MinGW-w64).  SQLite is compiled from its amalgamation,
# the C++ runtime and winpthread are linked into every binary, and the header-only
# libraries of the build machine stand in for packages the target root lacks.

set(CIMPORT_SQLITE_DIR ${CMAKE_BINARY_DIR}/sqlite CACHE PATH "SQLite amalgamation (fetched when absent)")
if(NOT EXISTS ${CIMPORT_SQLITE_DIR}/sqlite3.c)
  execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fetch-sqlite.sh ${CIMPORT_SQLITE_DIR}
                  RESULT_VARIABLE fetch_result)
  if(NOT fetch_result EQUAL 0)
    message(FATAL_ERROR "cannot fetch the SQLite amalgamation into ${CIMPORT_SQLITE_DIR}")
  endif()
endif()
add_library(cimport_sqlite STATIC ${CIMPORT_SQLITE_DIR}/sqlite3.c)
target_include_directories(cimport_sqlite SYSTEM PUBLIC ${CIMPORT_SQLITE_DIR})
target_compile_definitions(cimport_sqlite PRIVATE SQLITE_OMIT_LOAD_EXTENSION)
target_compile_options(cimport_sqlite PRIVATE -w)  # not our code: its warnings are not ours to fix
add_library(SQLite::SQLite3 ALIAS cimport_sqlite)

add_link_options(-static -static-libgcc -static-libstdc++)

# find_package() looks into the redirection folder first: each package found
# there is an interface target over the build machine's headers, copied so
# that no other header of the build machine comes into view.
function(cimport_host_headers package target header)
  find_path(dir ${header} PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH NO_CACHE REQUIRED)
  get_filename_component(top ${header} DIRECTORY)
  file(COPY ${dir}/${top} DESTINATION ${CMAKE_BINARY_DIR}/host-include)
  file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/${package}-config.cmake
    "if(NOT TARGET ${target})\n"
    "  add_library(${target} INTERFACE IMPORTED GLOBAL)\n"
    "  target_include_directories(${target} SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/host-include)\n"
    "endif()\n")
endfunction()
cimport_host_headers(cli11 CLI11::CLI11 CLI/CLI.hpp)
cimport_host_headers(nlohmann_json nlohmann_json::nlohmann_json nlohmann/json.hpp)

# GoogleTest is built for the target from the build machine's sources; the Windows build runs
# the unit tests of the three stages and its own tests.
if(CIMPORT_BUILD_TESTS)
  find_path(CIMPORT_GTEST_SOURCE_DIR googletest/CMakeLists.txt PATHS /usr/src/googletest
            NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(INSTALL_GTEST OFF CACHE BOOL "")
  add_subdirectory(${CIMPORT_GTEST_SOURCE_DIR}/googletest ${CMAKE_BINARY_DIR}/googletest
                   EXCLUDE_FROM_ALL SYSTEM)
  file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/gtest-config.cmake "")
  set(CIMPORT_TEST_DIRS preprocessor parse mapping windows)
endif()

# Every executable beside the DLLs, where Windows looks for them first.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# GCC 12 reports std::string's inlined inserts as overlapping copies at -O2 (a known false
# report of that release); only the Windows build's optimisation brings it out.
add_compile_options(-Wno-restrict)
