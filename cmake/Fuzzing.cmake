# libFuzzer needs every library it drives built with coverage instrumentation; the sanitizers
# turn silent memory and undefined-behaviour faults into findings.
option(KESTREL_FUZZ "Build the libFuzzer targets and their test (clang only)" OFF)

if(KESTREL_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
