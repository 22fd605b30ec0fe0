# Every target of ours gets the same strict warnings; third-party code is not ours to fix.
add_library(kestrel_warnings INTERFACE)
if(MSVC)
    target_compile_options(kestrel_warnings INTERFACE /W4 /permissive-)
else()
    target_compile_options(kestrel_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                                                      -Wconversion -Wno-sign-conversion)
endif()
# The presets turn warnings into errors so none slips in; a build with a newer compiler that
# warns about something new can turn it off (-DKESTREL_WERROR=OFF) and still finish.
if(KESTREL_WERROR)
    if(MSVC)
        target_compile_options(kestrel_warnings INTERFACE /WX)
    else()
        target_compile_options(kestrel_warnings INTERFACE -Werror)
    endif()
endif()

# float-cast-overflow is not part of GCC's "undefined": a double past an integer's range,
# converted, is undefined behaviour all the same.
if(KESTREL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined,float-cast-overflow)
    add_link_options(-fsanitize=address,undefined,float-cast-overflow)
endif()
