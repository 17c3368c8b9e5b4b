# Two different classes of one name linked into one program break the one-definition rule,
# which GCC sees only when it links the whole program at once. CORVANE_ODR_CHECK compiles
# everything as fat LTO objects (the tests still link them the usual way) and links the two
# programs that ship with link-time optimisation, where such a clash fails the link.
option(CORVANE_ODR_CHECK "Link corvane and corvane-board with -flto and fail on one-definition clashes" OFF)
if(CORVANE_ODR_CHECK)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    message(FATAL_ERROR "CORVANE_ODR_CHECK needs GCC")
  endif()
  add_compile_options(-flto=auto -ffat-lto-objects)
endif()

function(corvane_check_one_definition target)
  if(CORVANE_ODR_CHECK)
    target_link_options(${target} PRIVATE -flto=auto -Wodr -Werror=odr)
  endif()
endfunction()
