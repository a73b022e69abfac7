# Warnings are errors on our own targets only; third-party headers stay untouched.
function(ostrevin_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()
