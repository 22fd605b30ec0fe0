# The same sources build to the same programs, whichever folder they are built in and whenever:
# the compiler writes the source and build folders (in debug information and in the file names
# it expands) as ".", so a debugger started in the source folder still finds the sources, and
# the Windows linker puts no time in the PE header. The build folder is listed last, so GCC
# applies it first when it lies inside the source folder.
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>
                    $<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=.>)
if(WIN32)
    add_link_options(-Wl,--no-insert-timestamp)
endif()
