# Run by cpack on the installed files before it packs them (CPACK_PRE_BUILD_SCRIPTS): signs the
# Windows programs where a certificate is given, then dates every file and folder by
# SOURCE_DATE_EPOCH (project_config.cmake), so that packing again gives the same bytes.
if(CPACK_KESTREL_WINDOWS AND (DEFINED ENV{KESTREL_SIGNING_CERT} OR DEFINED ENV{KESTREL_SIGNING_KEY}))
    include(${CMAKE_CURRENT_LIST_DIR}/sign.cmake)
    file(GLOB_RECURSE programs "${CPACK_TEMPORARY_DIRECTORY}/*.exe")
    foreach(program IN LISTS programs)
        kestrel_sign("${program}")
    endforeach()
endif()

file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
if(staged)
    execute_process(COMMAND touch -h -d @$ENV{SOURCE_DATE_EPOCH} ${staged}
        COMMAND_ERROR_IS_FATAL ANY)
endif()
