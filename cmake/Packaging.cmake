# Installing and packaging: both programs into bin/ (the front-end starts the
# worker from its own folder), the worker's image codec into its folder
# (src/worker/CMakeLists.txt), and on freedesktop systems the desktop entry,
# the icon and the shared MIME types of .jww drawings and .sfc files. CPack turns the same
# install into a Debian package (scripts/package).
install(TARGETS Kestrune Ondrelle RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ondrelle_images LIBRARY DESTINATION ${KESTRUNE_IMAGE_CODEC_INSTALL_DIR})
if(UNIX AND NOT APPLE)
  install(FILES packaging/kestrune.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES packaging/kestrune.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES packaging/kestrune-jww.xml packaging/kestrune-sfc.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
endif()

set(CPACK_PACKAGE_NAME kestrune)
set(CPACK_PACKAGE_VENDOR "Kestrune developers")
set(CPACK_PACKAGE_CONTACT "Kestrune developers <kestrune@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Converts Jw_cad drawings (.jww) into SXF feature-comment files (.sfc)")
set(CPACK_PACKAGE_DESCRIPTION
  "Kestrune is a small window (and a headless batch, Kestrune --batch) that converts Jw_cad drawings\n"
  "into the SXF feature-comment files public-works clients require; the worker Ondrelle converts\n"
  "one drawing per run.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The libraries the programs link (Qt 6, zlib, the C++ runtime) come from
# dpkg-shlibdeps; the plugins Qt loads at run time are named here: the
# window's display platforms and the TIFF image format.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-image-formats-plugins")
# The preview draws texts in the Japanese gothic and mincho faces.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, fonts-ipafont-mincho")
include(CPack)
