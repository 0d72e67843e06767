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
