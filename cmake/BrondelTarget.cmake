# Warnings are errors on our own code.
function(brondel_warnings target)
  target_compile_options(${target} PRIVATE ${BRONDEL_WARNINGS})
endfunction()
