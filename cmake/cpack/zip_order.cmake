# Run by cpack after it packed (CPACK_POST_BUILD_SCRIPTS), before it moves the package to its
# place: writes a zip again with its entries in name order. CPack adds them in the order the
# file system lists the folder, which another machine or file system may change.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.zip$")
        continue()
    endif()
    get_filename_component(parent "${CPACK_TEMPORARY_DIRECTORY}" DIRECTORY)
    file(GLOB_RECURSE entries RELATIVE "${parent}" "${CPACK_TEMPORARY_DIRECTORY}/*")
    list(SORT entries)
    list(JOIN entries "\n" listing)
    file(WRITE "${parent}/zip-entries.txt" "${listing}\n")
    file(REMOVE "${package}")
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E tar cf "${package}" --format=zip
                --files-from=zip-entries.txt
        WORKING_DIRECTORY "${parent}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
