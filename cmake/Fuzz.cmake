# KESTRUNE_FUZZ: every library is built for libFuzzer (coverage feedback) with
# AddressSanitizer and UndefinedBehaviorSanitizer, so that the fuzz targets in
# tests/fuzz see into the whole worker. Needs clang; see the "fuzz" preset.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "KESTRUNE_FUZZ needs clang (libFuzzer): configure with the fuzz preset")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
