# `cpack` in the build folder makes a Debian package of what `cmake --install` installs.
set(CPACK_PACKAGE_NAME kestrel)
set(CPACK_PACKAGE_VENDOR "Kestrel Memory")
set(CPACK_PACKAGE_CONTACT "${KESTREL_SUPPORT_EMAIL}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Kestrel reads the computer's identity and memory facts, shows them in one window with the\n\
retailer's memory selector page for this machine, and copies a plain-text report to the\n\
clipboard. kestrel-scan prints the same report on the command line.")
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries' packages, found by dpkg-shlibdeps; what the programs start or look for besides.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, fonts-freefont-ttf, xdg-utils")
include(CPack)
