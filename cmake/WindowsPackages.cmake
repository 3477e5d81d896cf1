# The Windows installer and zip, part of the Windows build's default target
# (the installer test takes them from there; scripts/package-windows.sh makes
# a Release build of its own for shipping). The programs are stripped into a
# stage folder beside readme.txt; makensis builds
# Quillmar-<version>-setup.exe from packaging/windows/quillmar.nsi, and
# Quillmar-<version>-win64.zip holds the stage as it is. quillmar.exe goes in
# as soon as its target exists.
find_program(QUILLMAR_MAKENSIS makensis REQUIRED)

set(stage ${PROJECT_BINARY_DIR}/windows-stage)
set(nsi ${PROJECT_SOURCE_DIR}/packaging/windows/quillmar.nsi)
set(icon ${PROJECT_SOURCE_DIR}/resources/quillmar.ico)
# Notepad before Windows 10 shows LF-only text on one line.
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/readme.txt.in ${stage}/readme.txt @ONLY NEWLINE_STYLE CRLF)

set(QUILLMAR_WINDOWS_FILES readme.txt quillmar-cli.exe)
set(window_define "")
if(TARGET quillmar)
  list(APPEND QUILLMAR_WINDOWS_FILES quillmar.exe)
  set(window_define -DWINDOW)
endif()
set(staged ${stage}/readme.txt)
foreach(program quillmar-cli quillmar)
  if(TARGET ${program})
    add_custom_command(OUTPUT ${stage}/${program}.exe
      COMMAND ${CMAKE_STRIP} --strip-all -o ${stage}/${program}.exe $<TARGET_FILE:${program}>
      DEPENDS ${program} VERBATIM)
    list(APPEND staged ${stage}/${program}.exe)
  endif()
endforeach()

set(QUILLMAR_SETUP ${PROJECT_BINARY_DIR}/Quillmar-${PROJECT_VERSION}-setup.exe)
add_custom_command(OUTPUT ${QUILLMAR_SETUP}
  COMMAND ${QUILLMAR_MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION} -DSTAGE=${stage}
    -DICON=${icon} -DOUTFILE=${QUILLMAR_SETUP} ${window_define} ${nsi}
  DEPENDS ${nsi} ${icon} ${staged} VERBATIM)

set(QUILLMAR_ZIP ${PROJECT_BINARY_DIR}/Quillmar-${PROJECT_VERSION}-win64.zip)
add_custom_command(OUTPUT ${QUILLMAR_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${QUILLMAR_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${QUILLMAR_ZIP} --format=zip ${QUILLMAR_WINDOWS_FILES}
  WORKING_DIRECTORY ${stage} DEPENDS ${staged} VERBATIM)

add_custom_target(windows-packages ALL DEPENDS ${QUILLMAR_SETUP} ${QUILLMAR_ZIP})
