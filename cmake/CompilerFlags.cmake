# How our own targets are compiled, as two interface targets that each target links:
#   tapestro_warnings    -Wall -Wextra; -Werror with TAPESTRO_WERROR, which our scripts and
#                        CI turn on and a packager's build leaves off, so that a newer
#                        compiler's new warning never breaks someone else's build.
#   tapestro_sanitizers  the instrumentation of the chosen configuration. The module
#                        libraries link it PUBLIC: every program that links them is
#                        compiled and linked the same way, as the runtimes require.
add_library(tapestro_warnings INTERFACE)
target_compile_options(tapestro_warnings INTERFACE -Wall -Wextra)
if(TAPESTRO_WERROR)
  target_compile_options(tapestro_warnings INTERFACE -Werror)
endif()

add_library(tapestro_sanitizers INTERFACE)
if(TAPESTRO_SANITIZE AND TAPESTRO_TSAN)
  message(FATAL_ERROR "TAPESTRO_SANITIZE and TAPESTRO_TSAN cannot be combined")
endif()
if(TAPESTRO_SANITIZE)
  target_compile_options(tapestro_sanitizers INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all
                                                       -fno-omit-frame-pointer)
  target_link_options(tapestro_sanitizers INTERFACE -fsanitize=address,undefined)
endif()
if(TAPESTRO_TSAN)
  target_compile_options(tapestro_sanitizers INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(tapestro_sanitizers INTERFACE -fsanitize=thread)
endif()
if(TAPESTRO_FUZZ)
  # The libraries the fuzz targets drive need coverage instrumentation too: without it
  # libFuzzer sees only the harness and mutates blindly.
  target_compile_options(tapestro_sanitizers INTERFACE -fsanitize=fuzzer-no-link)
endif()
