# Sanitizer builds apply to every target, so set them globally before any target is made.
if(DOLVANE_ASAN)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(DOLVANE_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
if(DOLVANE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "DOLVANE_FUZZ needs clang (libFuzzer)")
  endif()
  # Libraries get coverage instrumentation; only the fuzz targets link the fuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  # With the undefined-behaviour checks the containers' one-line accessors grow past clang's inlining
  # threshold, so every v[i] of the solver became a call: a fifth of the stage target's time.
  add_compile_options("SHELL:-mllvm -inline-threshold=400")
  add_link_options(-fsanitize=address,undefined)
endif()

# The soft-body solver's inner loops compare indices and pointers that no input byte steers; traced for
# the fuzzer they cost 15 % of the stage target's time. They keep their coverage counters.
function(dolvane_untraced_comparisons)
  if(DOLVANE_FUZZ)
    set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS -fno-sanitize-coverage=trace-cmp)
  endif()
endfunction()

# Tests that open and close GL windows in their own process: the leak checker runs at exit, after the
# window system's GL driver has been unloaded, and reports the blocks the driver still held as leaks of
# an unnamed library. Loading the driver first (a preloaded library is never unloaded) keeps those
# blocks reachable, so these tests keep the leak check. Where the driver is not where Debian's Mesa
# puts it, they run without the leak check instead. For gtest_discover_tests: ENVIRONMENT
# ${DOLVANE_WINDOW_TEST_ENVIRONMENT} ENVIRONMENT_MODIFICATION ${DOLVANE_WINDOW_TEST_PRELOAD} (two
# properties, because a list in one would be split by the test discovery).
set(DOLVANE_WINDOW_TEST_ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/platform/sdl/lsan.supp")
set(DOLVANE_WINDOW_TEST_PRELOAD "LD_PRELOAD=reset:")
if(DOLVANE_ASAN)
  set(_gl_driver "/usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/dri/swrast_dri.so")
  set(_asan_runtime "")
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC links the sanitizer runtime as a shared library, which must come first in the preload list.
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libasan.so
                    OUTPUT_VARIABLE _asan_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(_asan_runtime "${_asan_runtime}:")
  endif()
  if(EXISTS "${_gl_driver}")
    set(DOLVANE_WINDOW_TEST_PRELOAD "LD_PRELOAD=set:${_asan_runtime}${_gl_driver}")
  else()
    string(APPEND DOLVANE_WINDOW_TEST_ENVIRONMENT ":detect_leaks=0")
  endif()
endif()
