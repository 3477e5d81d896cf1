# quillmar.exe's resources: the .ico and .bmp files made from our PNGs with
# ImageMagick's convert, the version header and the manifest, all in the
# build tree where windres finds them beside quillmar.rc's includes.
find_program(QUILLMAR_CONVERT convert REQUIRED)
set(res ${PROJECT_SOURCE_DIR}/resources)
set(out ${CMAKE_CURRENT_BINARY_DIR}/windows)
file(MAKE_DIRECTORY ${out})

# quillmar_icon(<file.ico> <png>...): one image a size.
function(quillmar_icon ico)
  add_custom_command(OUTPUT ${out}/${ico} COMMAND ${QUILLMAR_CONVERT} ${ARGN} ${out}/${ico} DEPENDS ${ARGN} VERBATIM)
endfunction()
# The application icon is the one the installer shows too, made by scripts/render-resources.sh.
configure_file(${res}/quillmar.ico ${out}/app.ico COPYONLY)
quillmar_icon(about.ico ${res}/icons/about_16.png ${res}/icons/about_32.png ${res}/icons/about_48.png
  ${res}/icons/about_64.png ${res}/icons/about_128.png ${res}/icons/about_256.png)
quillmar_icon(card.ico ${res}/icons/card_16.png ${res}/icons/card_32.png)
# A picture control draws a bitmap as it is: the logo goes onto the dialogs'
# face colour, in the 24-bit form every Windows reads.
add_custom_command(OUTPUT ${out}/logo.bmp
  COMMAND ${QUILLMAR_CONVERT} ${res}/images/logo.png -background "#F0F0F0" -flatten -type TrueColor BMP3:${out}/logo.bmp
  DEPENDS ${res}/images/logo.png VERBATIM)

configure_file(${CMAKE_CURRENT_LIST_DIR}/quillmar_version.h.in ${out}/quillmar_version.h)
configure_file(${CMAKE_CURRENT_LIST_DIR}/quillmar.exe.manifest.in ${out}/quillmar.exe.manifest)

set(QUILLMAR_RC ${CMAKE_CURRENT_LIST_DIR}/quillmar.rc)
set_source_files_properties(${QUILLMAR_RC} PROPERTIES OBJECT_DEPENDS
  "${out}/app.ico;${out}/about.ico;${out}/card.ico;${out}/logo.bmp;${out}/quillmar.exe.manifest;${out}/quillmar_version.h")
