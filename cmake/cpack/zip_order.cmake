# Run by cpack after it packed (CPACK_POST_BUILD_SCRIPTS), before it moves the package to its
# place: writes a zip again with its entries in name order and without the packer's user and
# group ids. CPack adds entries in the order the file system lists the folder, which another
# machine or file system may change, and records who packed them.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.zip$")
        continue()
    endif()
    file(REMOVE "${package}")
    execute_process(
        COMMAND "${CPACK_KESTREL_PYTHON}" "${CMAKE_CURRENT_LIST_DIR}/write_zip.py" "${package}"
                "${CPACK_TEMPORARY_DIRECTORY}" "$ENV{SOURCE_DATE_EPOCH}"
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
