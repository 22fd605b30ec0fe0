# `cpack` (or the package target) in the build folder packs what `cmake --install` installs,
# stripped: on Linux a Debian package with what a distribution asks of one (the copyright file,
# a changelog, the manual pages); on Windows the zip a retailer hands its customers, its programs
# signed where a certificate is given (cmake/cpack/sign.cmake). SHA256SUMS beside the package
# covers it. Packing twice, or on another day, gives the same bytes: every date in a package is
# the release's.
include(GNUInstallDirs)

set(KESTREL_MAINTAINER "Kestrel Team <packages@kestrel.example>")

# The release date in the forms the changelog (RFC 5322), the manual pages (month and year) and
# help2man and the packages' file times (seconds since 1970) want.
function(kestrel_release_date var format)
    execute_process(COMMAND env LC_ALL=C date -u -d ${KESTREL_RELEASE_DATE} ${format}
        OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(${var} "${value}" PARENT_SCOPE)
endfunction()
kestrel_release_date(KESTREL_RELEASE_RFC5322 -R)
kestrel_release_date(KESTREL_RELEASE_MONTH "+%B %Y")
kestrel_release_date(KESTREL_RELEASE_EPOCH +%s)

set(CPACK_PACKAGE_NAME kestrel)
set(CPACK_PACKAGE_VENDOR "Kestrel Memory")
set(CPACK_PACKAGE_CONTACT "${KESTREL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_KESTREL_RELEASE_EPOCH ${KESTREL_RELEASE_EPOCH})
set(CPACK_KESTREL_WINDOWS ${WIN32})
set(CPACK_KESTREL_PYTHON ${Python3_EXECUTABLE})
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/cpack/project_config.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/cpack/stage.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/cpack/zip_order.cmake
                             ${PROJECT_SOURCE_DIR}/cmake/cpack/checksums.cmake)

if(WIN32)
    # kestrel-<version>-windows-x64.zip: one folder of that name holding both programs, a
    # read-me for Windows users and the licence, with Windows line ends for Notepad.
    configure_file(packaging/README-windows.txt.in ${PROJECT_BINARY_DIR}/packaging/README.txt
                   @ONLY NEWLINE_STYLE WIN32)
    configure_file(LICENSE ${PROJECT_BINARY_DIR}/packaging/LICENSE.txt @ONLY NEWLINE_STYLE WIN32)
    install(FILES ${PROJECT_BINARY_DIR}/packaging/README.txt
                  ${PROJECT_BINARY_DIR}/packaging/LICENSE.txt
            DESTINATION ${CMAKE_INSTALL_BINDIR})
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME kestrel-${PROJECT_VERSION}-windows-x64)
    include(CPack)
    return()
endif()

# The Debian package.
set(KESTREL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/kestrel)
find_program(KESTREL_GZIP gzip REQUIRED)

# Installs FILE, which the build makes, as FILE.gz in DESTINATION: gzip -9 as Debian wants
# documentation, and -n, without name and time stamp, so equal input packs to equal bytes.
function(kestrel_install_gzipped file destination)
    get_filename_component(name ${file} NAME)
    add_custom_command(OUTPUT ${file}.gz
        COMMAND sh -c "\"$0\" -9n -c \"$1\" > \"$2\"" ${KESTREL_GZIP} ${file} ${file}.gz
        DEPENDS ${file}
        VERBATIM)
    add_custom_target(kestrel_gzip_${name} ALL DEPENDS ${file}.gz)
    install(FILES ${file}.gz DESTINATION ${destination})
endfunction()

install(FILES packaging/copyright DESTINATION ${KESTREL_DOC_DIR})
# The version's entry comes from project(); older entries are written out in the template.
configure_file(packaging/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
kestrel_install_gzipped(${PROJECT_BINARY_DIR}/packaging/changelog ${KESTREL_DOC_DIR})
install(FILES packaging/kestrel.lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME kestrel)
# help2man runs kestrel-scan, which a cross build cannot.
if(NOT CMAKE_CROSSCOMPILING)
    add_subdirectory(docs/man)
endif()

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KESTREL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION
    "Kestrel reads the computer's identity and memory facts, shows them in one\n\
window with the retailer's memory selector page for this machine, and copies\n\
a plain-text report to the clipboard. kestrel-scan prints the same report on\n\
the command line.")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries' packages, found by dpkg-shlibdeps; what the programs start or look for besides.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, fonts-freefont-ttf, xdg-utils")
include(CPack)
