# Every target links this, so all code is held to the same warnings.
add_library(tarnwick_warnings INTERFACE)
target_compile_options(tarnwick_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Wno-missing-field-initializers
  # GCC 12 reports overlapping copies inside std::string's operator+ at high
  # optimisation (a known false positive), which would fail the 32-bit build.
  $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>
  $<$<BOOL:${TARNWICK_WERROR}>:-Werror>)
