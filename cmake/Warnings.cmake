# dolvane_warnings(target): the warning set every target of the project builds with.
add_library(dolvane_warnings INTERFACE)
target_compile_options(dolvane_warnings INTERFACE -Wall -Wextra -Wshadow=local -Wnon-virtual-dtor)
if(DOLVANE_WERROR)
  target_compile_options(dolvane_warnings INTERFACE -Werror)
endif()
