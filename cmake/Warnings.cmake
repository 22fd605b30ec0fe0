# Every target of ours gets the same strict warnings; third-party code is not ours to fix.
add_library(kestrel_warnings INTERFACE)
if(MSVC)
    target_compile_options(kestrel_warnings INTERFACE /W4 /permissive-)
else()
    target_compile_options(kestrel_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                                                      -Wconversion -Wno-sign-conversion)
endif()

if(KESTREL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
