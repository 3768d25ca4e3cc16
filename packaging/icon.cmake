# The program's icon on every platform, drawn at build time from the one
# drawing in packaging/ by Debian's rsvg-convert (and, for Windows, packed by
# icotool); no bitmap of it is kept in the sources. Both tools write the same
# bytes for the same drawing.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(SABOT_ICON_SVG ${CMAKE_CURRENT_LIST_DIR}/org.sabot.Sabot.svg)

# A square PNG of `size` pixels at `output`.
function(sabot_icon_png size output)
    add_custom_command(OUTPUT ${output}
        COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${output} ${SABOT_ICON_SVG}
        DEPENDS ${SABOT_ICON_SVG}
        VERBATIM)
endfunction()

# The Windows icon at `output`, with every size Windows asks for: 16 to 64
# pixels for the title bar, taskbar, Alt+Tab and Start menu at 100 % to 200 %
# scaling, and 256 for Explorer's large views, kept as PNG as Windows reads it.
function(sabot_icon_ico output)
    find_program(ICOTOOL icotool REQUIRED)
    get_filename_component(folder ${output} DIRECTORY)
    set(pngs)
    foreach(size 16 20 24 32 40 48 64 256)
        set(png ${folder}/icon-${size}.png)
        sabot_icon_png(${size} ${png})
        list(APPEND pngs ${png})
    endforeach()
    list(POP_BACK pngs largest)
    add_custom_command(OUTPUT ${output}
        COMMAND ${ICOTOOL} --create --output=${output} ${pngs} --raw=${largest}
        DEPENDS ${pngs} ${largest}
        VERBATIM)
endfunction()
