# The version record (product Kestrel, the project's version) and the application icon of a
# Windows executable; the icon is resources/kestrel-exe.ico, drawn by resources/make_resources.py.
enable_language(RC)

set(KESTREL_ICON ${PROJECT_SOURCE_DIR}/resources/kestrel-exe.ico)

# The version as the four numbers of the binary version fields, leading zeros dropped: "1.00"
# is 1,0,0,0. The text fields carry PROJECT_VERSION as written.
string(REPLACE "." ";" _kestrel_version_parts "${PROJECT_VERSION}.0.0")
list(SUBLIST _kestrel_version_parts 0 4 _kestrel_version_parts)
list(TRANSFORM _kestrel_version_parts REPLACE "^0+([0-9])" "\\1")
list(JOIN _kestrel_version_parts "," KESTREL_RC_VERSION_NUMBERS)

# Gives `target` (an executable named NAME.exe) its version record and the icon, and the
# resources of the .rc files after EXTRA. They are compiled as one: the icon images of separate
# .rc files would get the same numbers and collide when linked.
function(kestrel_add_version_resource target description)
    cmake_parse_arguments(ARG "" "" "EXTRA" ${ARGN})
    set(KESTREL_RC_EXTRA "")
    foreach(extra IN LISTS ARG_EXTRA)
        string(APPEND KESTREL_RC_EXTRA "#include \"${extra}\"\n")
    endforeach()
    set(KESTREL_RC_NAME ${target})
    set(KESTREL_RC_DESCRIPTION ${description})
    set(KESTREL_RC_ICON ${KESTREL_ICON})
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/resources/version.rc.in ${rc} @ONLY)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${KESTREL_ICON})
    target_sources(${target} PRIVATE ${rc})
endfunction()
