# Installation layout and the two Debian packages: quillmar-cli (QtCore and QtDBus, no GUI library)
# and quillmar (the window). Both programs link the core statically, so the
# packages share no file and the window needs nothing from quillmar-cli.
# scripts/package.sh makes a Release build with Debian's hardening flags and
# runs cpack on it.
include(GNUInstallDirs)

# Whatever the builder's umask, packaged folders are 0755.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(QUILLMAR_DOC_BUILD_DIR ${PROJECT_BINARY_DIR}/packaging-docs)
file(MAKE_DIRECTORY ${QUILLMAR_DOC_BUILD_DIR})

# gzip -9n: best compression and no name or time stamp, so the files are
# reproducible. Done at configure time; a changed source configures again.
function(quillmar_gzip source output)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${output} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip ${source} failed")
  endif()
endfunction()

quillmar_gzip(${PROJECT_SOURCE_DIR}/packaging/changelog ${QUILLMAR_DOC_BUILD_DIR}/changelog.gz)
foreach(page quillmar quillmar-cli)
  quillmar_gzip(${PROJECT_SOURCE_DIR}/docs/man/${page}.1 ${QUILLMAR_DOC_BUILD_DIR}/${page}.1.gz)
endforeach()

# Files every package carries under its own name in /usr/share/doc.
function(quillmar_install_package_docs package component)
  install(FILES packaging/copyright ${QUILLMAR_DOC_BUILD_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
endfunction()

# quillmar-cli
install(TARGETS quillmar-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT cli)
install(FILES ${QUILLMAR_DOC_BUILD_DIR}/quillmar-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT cli)
quillmar_install_package_docs(quillmar-cli cli)

# quillmar
if(TARGET quillmar)
  install(TARGETS quillmar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT window)
endif()
install(FILES ${QUILLMAR_DOC_BUILD_DIR}/quillmar.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT window)
quillmar_install_package_docs(quillmar window)
install(FILES packaging/org.quillmar.Quillmar.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT window)
install(FILES packaging/org.quillmar.Quillmar.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT window)
foreach(size 16 32 48 64 128)
  set(icon ${PROJECT_SOURCE_DIR}/resources/icons/app_${size}.png)
  if(EXISTS ${icon})
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
      RENAME quillmar.png COMPONENT window)
  endif()
endforeach()
if(EXISTS ${PROJECT_SOURCE_DIR}/resources/icons/quillmar.svg)
  install(FILES resources/icons/quillmar.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    COMPONENT window)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmar)
set(CPACK_PACKAGE_VENDOR "Quillmar developers")
set(CPACK_PACKAGE_CONTACT "Quillmar developers <dev@quillmar.invalid>")
set(CPACK_PACKAGE_INSTALL_DIRECTORY quillmar)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Debug info and symbol tables stay in the build folder.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL cli window)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The runtime packages come from the shared libraries each program links, so
# quillmar-cli depends on QtCore and QtDBus (eject talks to UDisks2), no GUI library.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_CLI_PACKAGE_NAME quillmar-cli)
set(CPACK_DEBIAN_CLI_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_CLI_DESCRIPTION
  "write camera settings onto the camera's memory card, from scripts
quillmar-cli chooses the recording, photo, image and system settings of a
small video and photo camera and writes them onto the camera's memory card
as camera.conf, the file the camera reads when it starts. Sets of choices
are kept as named profiles in a cfg.ini file shared with the quillmar
window.
.
It lists the memory cards plugged into the computer (also as JSON), prints
or writes camera.conf from a profile with single settings changed on the
command line, and stores or removes profiles. It needs no window system.")

set(CPACK_DEBIAN_WINDOW_PACKAGE_NAME quillmar)
set(CPACK_DEBIAN_WINDOW_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_WINDOW_DESCRIPTION
  "choose camera settings and write them onto the camera's memory card
Quillmar configures a small video and photo camera in one window: five
pages of recording, photo, image and system settings, a list of the memory
cards plugged into the computer that follows cards being plugged in and
pulled out, and named profiles of settings. Set writes the settings onto
the chosen card as camera.conf, replacing the old file only once the new
one is complete.
.
The command-line tool for the same job is in the package quillmar-cli.")
# Some of the window's captions are Chinese. Each of these fonts covers them
# (U+786E U+5B9A U+53D6 U+6D88 U+FF08 U+FF09 U+FF1A, checked with fc-query);
# the small one comes first for systems that have none yet.
set(CPACK_DEBIAN_WINDOW_PACKAGE_DEPENDS
  "fonts-wqy-microhei | fonts-noto-cjk | fonts-wqy-zenhei | fonts-droid-fallback | fonts-arphic-uming | fonts-arphic-ukai")
set(CPACK_DEBIAN_WINDOW_PACKAGE_RECOMMENDS quillmar-cli)
include(CPack)
