# The help text's second line, "Email : " and KESTREL_SUPPORT_EMAIL, has to fit the main window's
# Label42: 193 pixels wide, in the window font, "MS Sans Serif" 8.25 pt, which the windows draw
# in Liberation Sans (ui/qt/window_look.cpp). A longer line is broken inside the address
# and its end clipped. ImageMagick renders the line in that font at 96 dpi, within a pixel of
# what Qt lays out; without ImageMagick or the font the check is skipped and says so.
function(kestrel_check_support_email_fits)
    set(line "Email : ${KESTREL_SUPPORT_EMAIL}")
    set(label_width 193)
    find_program(KESTREL_CONVERT convert)
    find_program(KESTREL_FC_MATCH fc-match)
    if(NOT KESTREL_CONVERT OR NOT KESTREL_FC_MATCH)
        message(STATUS "Support address: not measured (needs ImageMagick's convert and fc-match)")
        return()
    endif()
    execute_process(COMMAND ${KESTREL_FC_MATCH} --format=%{family}|%{file} "Liberation Sans"
                    OUTPUT_VARIABLE match RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT match MATCHES "^Liberation Sans[|,]")
        message(STATUS "Support address: not measured (Liberation Sans is not installed)")
        return()
    endif()
    string(REGEX REPLACE "^[^|]*\\|" "" font_file "${match}")
    execute_process(COMMAND ${KESTREL_CONVERT} -font ${font_file} -density 96 -pointsize 8.25
                            "label:${line}" -format %w info:
                    OUTPUT_VARIABLE width RESULT_VARIABLE status ERROR_QUIET
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT status EQUAL 0 OR NOT width MATCHES "^[0-9]+$")
        message(STATUS "Support address: not measured (ImageMagick could not render it)")
    elseif(width GREATER label_width)
        math(EXPR excess "${width} - ${label_width}")
        message(WARNING "KESTREL_SUPPORT_EMAIL \"${KESTREL_SUPPORT_EMAIL}\" does not fit the help "
                        "text: \"${line}\" is ${width} pixels wide, the label ${label_width}, so "
                        "the address is broken and its end cut off in the main window. Choose "
                        "an address at least ${excess} pixels shorter.")
    else()
        message(STATUS "Support address: \"${line}\" is ${width} of ${label_width} pixels")
    endif()
endfunction()
kestrel_check_support_email_fits()
