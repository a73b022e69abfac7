# Warnings are errors on our own targets only; third-party headers stay untouched.
# GCC 12 reports false -Wrestrict overlaps inside libstdc++'s std::string at -O3 (GCC bug 105651),
# so that one check is left to the other compilers.
function(ostrevin_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
    $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
endfunction()
