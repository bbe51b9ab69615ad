# GoogleTest, built from Debian's sources with whichever toolchain this tree
# uses, so the Windows trees get Windows test executables.
include(CTest)
if(NOT BUILD_TESTING)
  return()
endif()

set(VEYDRA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${VEYDRA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(VEYDRA_SANITIZE)
  target_compile_options(gtest PRIVATE -fsanitize=address,undefined)
  target_compile_options(gtest_main PRIVATE -fsanitize=address,undefined)
endif()
if(WIN32)
  target_link_options(gtest INTERFACE -static -static-libgcc -static-libstdc++)
endif()

# veydra_add_test(NAME SOURCES... LIBS...) builds one test executable and
# registers it with CTest; Windows executables run through Wine.
function(veydra_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gtest_main gtest veydra_flags)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 900 LABELS "${ARG_LABELS}")
  if(WIN32)
    # wine-run.sh exits 77 where this machine cannot run the architecture.
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
  endif()
  set_property(GLOBAL APPEND PROPERTY VEYDRA_WINDOWS_BINARIES $<TARGET_FILE:${name}>)
endfunction()
