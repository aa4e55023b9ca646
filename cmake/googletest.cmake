# GoogleTest from Debian's source package, built for whichever target we build.
set(QSH_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${QSH_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# qsh_add_gtest(name sources... LIBS libs...)
function(qsh_add_gtest name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} qsh_options GTest::gtest_main)
  # One CTest entry per test program: each start under Wine costs a process.
  add_test(NAME ${name} COMMAND ${name})
endfunction()
