# Build helpers shared by every folder: warnings, sanitizers, Windows link options and tests.

set(LIGNOTEK_SOURCE_ROOT ${CMAKE_SOURCE_DIR})

function(lignotek_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  target_include_directories(${target} PUBLIC ${LIGNOTEK_SOURCE_ROOT}/src)
  if(WIN32)
    # UNICODE everywhere; Windows 7 is the oldest system the program targets.
    target_compile_definitions(${target} PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800)
  endif()
  if(LIGNOTEK_SANITIZE AND NOT WIN32)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
  if(LIGNOTEK_FUZZ)
    # Coverage instrumentation for the code under fuzzing; the fuzzer programs add the driver.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
endfunction()

# A static library of the core.  Usage: lignotek_library(name SOURCES ... [LIBS ...])
function(lignotek_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_SOURCES)
    # A folder whose code has not been written yet still gives a target to link against.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${LIGNOTEK_SOURCE_ROOT}/src)
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  lignotek_target_defaults(${name})
  if(ARG_LIBS)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  endif()
endfunction()

# Windows programs: the C++ runtime and winpthread linked in, ASLR and DEP on.
function(lignotek_windows_link target)
  if(WIN32)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++ -municode
                                          -Wl,--dynamicbase -Wl,--nxcompat)
  endif()
endfunction()

# A GoogleTest program, registered with ctest as one test (under Wine on the Windows build).
# Usage: lignotek_test(name SOURCES ... [LIBS ...] [NEEDS_DISPLAY])
function(lignotek_test name)
  cmake_parse_arguments(ARG "NEEDS_DISPLAY" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  lignotek_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  if(WIN32)
    target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "LIGNOTEK_SOURCE_DIR=${LIGNOTEK_SOURCE_ROOT}")
  if(WIN32)
    # Windows tests show real windows and find them by class on the one Wine desktop: one at a time.
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_desktop)
  endif()
endfunction()
