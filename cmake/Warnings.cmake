# dolvane_warnings(target): the warning set every target of the project builds with.
add_library(dolvane_warnings INTERFACE)
target_compile_options(dolvane_warnings INTERFACE -Wall -Wextra -Wnon-virtual-dtor
  $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>)
if(DOLVANE_WERROR)
  target_compile_options(dolvane_warnings INTERFACE -Werror)
endif()
