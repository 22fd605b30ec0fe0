# A cross build's tests run under Wine (CMAKE_CROSSCOMPILING_EMULATOR, set by the toolchain).

if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    message(FATAL_ERROR "The tests of a cross build run under Wine, which was not found: "
                        "install wine and wine64, or configure with -DKESTREL_BUILD_TESTS=OFF.")
endif()

# No GoogleTest is packaged for the target, so it is built from Debian's sources (googletest).
set(KESTREL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${KESTREL_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources at ${KESTREL_GOOGLETEST_SOURCE}: "
                        "install googletest, or set KESTREL_GOOGLETEST_SOURCE.")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${KESTREL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Wine's drive Z: is the Unix root, so a Windows program reaches /some/file as Z:/some/file.
set(KESTREL_TARGET_ROOT "Z:")

# Every test shares one prefix in the build tree (unless PREFIX names another), in the C locale
# unless it asks for another.
# No Mono or Gecko: their installers would open dialogs and try to download. Not the user's
# display either: the prefix brings its own (tests/wine-prefix).
function(kestrel_in_wine_prefix test)
    cmake_parse_arguments(ARG "" "PREFIX" "" ${ARGN})
    if(NOT ARG_PREFIX)
        set(ARG_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
    endif()
    set_tests_properties(${test} PROPERTIES
        ENVIRONMENT "WINEPREFIX=${ARG_PREFIX};WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=;LC_ALL=C.UTF-8;${ARG_UNPARSED_ARGUMENTS}"
        ENVIRONMENT_MODIFICATION "DISPLAY=unset:")
endfunction()

set(KESTREL_WINE_PREFIX_SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/wine-prefix)

# The prefix starts before the first test and stops after the last.
add_test(NAME wine_prefix_start COMMAND ${KESTREL_WINE_PREFIX_SCRIPT} start)
add_test(NAME wine_prefix_stop COMMAND ${KESTREL_WINE_PREFIX_SCRIPT} stop)
set_tests_properties(wine_prefix_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine_prefix_stop PROPERTIES FIXTURES_CLEANUP wine)
kestrel_in_wine_prefix(wine_prefix_start)
kestrel_in_wine_prefix(wine_prefix_stop)

# Runs a test under Wine, in the prefix and on its display: the test executable `name` itself,
# or COMMAND (whose first word, one of our executables, goes through Wine too) with ENVIRONMENT
# added.
function(kestrel_wine_test name)
    cmake_parse_arguments(ARG "" "" "COMMAND;ENVIRONMENT" ${ARGN})
    if(NOT ARG_COMMAND)
        set(ARG_COMMAND ${name})
    endif()
    list(POP_FRONT ARG_COMMAND program)
    if(TARGET ${program})
        set(program $<TARGET_FILE:${program}>)
    endif()
    add_test(NAME ${name} COMMAND ${KESTREL_WINE_PREFIX_SCRIPT} run ${program} ${ARG_COMMAND})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 120)
    kestrel_in_wine_prefix(${name} ${ARG_ENVIRONMENT})
endfunction()
