# Installation layout and the Debian package.
include(GNUInstallDirs)

install(TARGETS quillmar-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET quillmar)
  install(TARGETS quillmar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES packaging/org.quillmar.Quillmar.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/org.quillmar.Quillmar.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128)
  set(icon ${PROJECT_SOURCE_DIR}/resources/icons/app_${size}.png)
  if(EXISTS ${icon})
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME quillmar.png)
  endif()
endforeach()
if(EXISTS ${PROJECT_SOURCE_DIR}/resources/icons/quillmar.svg)
  install(FILES resources/icons/quillmar.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmar)
set(CPACK_PACKAGE_VENDOR "Quillmar developers")
set(CPACK_PACKAGE_CONTACT "Quillmar developers <dev@quillmar.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Write camera settings onto the camera's memory card")
set(CPACK_PACKAGE_INSTALL_DIRECTORY quillmar)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The Qt runtime packages come from the shared libraries the programs link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The new-profile dialog's buttons carry Chinese captions.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-droid-fallback")
include(CPack)
