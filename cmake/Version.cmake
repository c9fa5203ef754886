# The program's version comes from project() in the top CMakeLists.txt and
# nowhere else; its build number is the number of commits of the checkout
# at configure time (PELLMARK_BUILD_NUMBER sets it for builds from a source
# archive). Both reach the code through the generated header
# "common/Version.h", so only the files that show them rebuild when they
# change.
set(PELLMARK_BUILD_NUMBER "" CACHE STRING "The build number shown by the program (default: commits of the checkout)")
set(PM_BUILD_NUMBER "${PELLMARK_BUILD_NUMBER}")
if(PM_BUILD_NUMBER STREQUAL "")
  execute_process(COMMAND git rev-list --count HEAD
                  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                  OUTPUT_VARIABLE PM_BUILD_NUMBER
                  OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE git_result
                  ERROR_QUIET)
  if(NOT git_result EQUAL 0 OR PM_BUILD_NUMBER STREQUAL "")
    set(PM_BUILD_NUMBER 0)
  endif()
endif()
configure_file(${CMAKE_SOURCE_DIR}/cmake/Version.h.in ${CMAKE_BINARY_DIR}/generated/common/Version.h @ONLY)
target_include_directories(pm_common PUBLIC ${CMAKE_BINARY_DIR}/generated)
