# Run by cpack after it packed (CPACK_POST_BUILD_SCRIPTS): SHA256SUMS beside the packages, in
# the form `sha256sum -c SHA256SUMS` checks, so that a download can be checked against it.
# CPACK_PACKAGE_FILES are still in cpack's working folder; they are copied unchanged.
set(sums "")
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    file(SHA256 "${package}" hash)
    get_filename_component(name "${package}" NAME)
    string(APPEND sums "${hash}  ${name}\n")
endforeach()
file(WRITE "${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS" "${sums}")
