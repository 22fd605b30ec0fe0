# kestrel_sign(PROGRAM): gives a Windows program an Authenticode signature (SHA-256) with
# osslsigncode, from the certificate and key that KESTREL_SIGNING_CERT and KESTREL_SIGNING_KEY
# name (PEM or DER; KESTREL_SIGNING_PASSWORD_FILE holds the key's pass phrase if it has one).
# KESTREL_TIMESTAMP_URL names an RFC 3161 time-stamp server; without one the signature carries
# no time stamp, and its signing time is the release's, so that signing again gives the same
# bytes.
function(kestrel_sign program)
    foreach(variable KESTREL_SIGNING_CERT KESTREL_SIGNING_KEY)
        if(NOT EXISTS "$ENV{${variable}}")
            message(FATAL_ERROR "${variable} names no file: \"$ENV{${variable}}\"; set both "
                                "KESTREL_SIGNING_CERT and KESTREL_SIGNING_KEY to sign, or neither")
        endif()
    endforeach()
    find_program(osslsigncode osslsigncode)
    if(NOT osslsigncode)
        message(FATAL_ERROR "Signing needs osslsigncode, which was not found")
    endif()
    set(options -h sha256 -n "${CPACK_PACKAGE_NAME}" -time $ENV{SOURCE_DATE_EPOCH})
    if(DEFINED ENV{KESTREL_SIGNING_PASSWORD_FILE})
        list(APPEND options -readpass "$ENV{KESTREL_SIGNING_PASSWORD_FILE}")
    endif()
    if(DEFINED ENV{KESTREL_TIMESTAMP_URL})
        list(APPEND options -ts "$ENV{KESTREL_TIMESTAMP_URL}")
    endif()
    execute_process(
        COMMAND ${osslsigncode} sign -certs "$ENV{KESTREL_SIGNING_CERT}"
                -key "$ENV{KESTREL_SIGNING_KEY}" ${options} -in "${program}"
                -out "${program}.signed"
        OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE failed)
    if(failed)
        file(REMOVE "${program}.signed")
        message(FATAL_ERROR "osslsigncode could not sign ${program}:\n${output}")
    endif()
    file(RENAME "${program}.signed" "${program}")
    message(STATUS "Signed ${program}")
endfunction()
