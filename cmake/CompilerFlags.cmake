# Results must not depend on the build machine: no contraction into fused
# multiply-add, no fast-math, no -march=native.  -fno-math-errno only lets the
# compiler treat sin/cos/sqrt as pure; it changes no result.
add_compile_options(
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Werror
  -ffp-contract=off -fno-math-errno)

# GCC 12 reports "const char* + std::string" at -O3 as an overlapping memcpy
# (a known false positive of its -Wrestrict).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()

if(QV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
