function(tarvex_set_warnings target)
  target_compile_options(${target} INTERFACE -Wall -Wextra)
endfunction()
