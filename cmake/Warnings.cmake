# Every target links this, so all code is held to the same warnings.
add_library(tarnwick_warnings INTERFACE)
target_compile_options(tarnwick_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Wno-missing-field-initializers
  $<$<BOOL:${TARNWICK_WERROR}>:-Werror>)
