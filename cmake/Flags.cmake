# Compiler settings shared by every target of ours.
#
# Floating point must give the same bits in the native, win32 and win64 builds:
# no fused multiply-add contraction, SSE2 arithmetic instead of x87 on 32-bit,
# and never fast-math.
add_library(veydra_flags INTERFACE)
target_compile_options(veydra_flags INTERFACE -Wall -Wextra -ffp-contract=off)
if(VEYDRA_WERROR)
  target_compile_options(veydra_flags INTERFACE -Werror)
endif()
if(CMAKE_SYSTEM_PROCESSOR MATCHES "i[3-6]86")
  target_compile_options(veydra_flags INTERFACE -msse2 -mfpmath=sse)
endif()
if(WIN32)
  # One file to copy: the C++ runtime goes inside the module.
  target_compile_definitions(veydra_flags INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  target_link_options(veydra_flags INTERFACE -static -static-libgcc -static-libstdc++)
endif()
if(VEYDRA_SANITIZE)
  target_compile_options(veydra_flags INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(veydra_flags INTERFACE -fsanitize=address,undefined)
endif()
if(VEYDRA_FUZZ)
  # Everything is instrumented for coverage and checked by the sanitizers; only
  # the fuzz targets link libFuzzer's main.
  target_compile_options(veydra_flags INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                         -fno-omit-frame-pointer -g)
  target_link_options(veydra_flags INTERFACE -fsanitize=address,undefined)
endif()
