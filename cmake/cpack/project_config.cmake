# Read by cpack before each package (CPACK_PROJECT_CONFIG_FILE). Packages are dated by the
# release, not by the moment they are packed, unless whoever packs says otherwise; in UTC, as
# a zip stores local times and the packer's time zone would otherwise show in it.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    set(ENV{SOURCE_DATE_EPOCH} "${CPACK_KESTREL_RELEASE_EPOCH}")
endif()
set(ENV{TZ} UTC0)
