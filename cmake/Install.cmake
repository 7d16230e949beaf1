# What `make install` puts on the desktop besides the programs, demo songs and help pages (whose
# folders install their own files): the desktop entry, the MIME package, the icon, the AppStream
# metainfo and the install stamp; the Debian package. (`make uninstall` reads the list of files
# that `make install` keeps: CPack's own installation rewrites install_manifest.txt.)
include(GNUInstallDirs)
set(FRETLO_SHARE "${CMAKE_SOURCE_DIR}/share")
set(FRETLO_STAGED "${CMAKE_BINARY_DIR}/install")

# Made when installing, so they hold the prefix given then and the time of the installation.
install(CODE "
  set(FRETLO_EXEC \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/fretlo %f\")
  configure_file(\"${FRETLO_SHARE}/applications/fretlo.desktop.in\" \"${FRETLO_STAGED}/fretlo.desktop\" @ONLY)
  execute_process(COMMAND \"${CMAKE_COMMAND}\" -DOUT=${FRETLO_STAGED}/install-time -P \"${CMAKE_SOURCE_DIR}/cmake/InstallStamp.cmake\")
")
install(FILES "${FRETLO_STAGED}/fretlo.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${FRETLO_STAGED}/install-time" DESTINATION "${CMAKE_INSTALL_DATADIR}/fretlo")
install(FILES "${FRETLO_SHARE}/mime/packages/fretlo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages")
install(FILES "${FRETLO_SHARE}/icons/hicolor/scalable/apps/fretlo.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES "${FRETLO_SHARE}/metainfo/fretlo.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

# Installed straight into the system (no DESTDIR): the desktop's caches learn of the new files.
# A package manager runs these itself through its triggers.
install(CODE "
  if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
    include(\"${CMAKE_SOURCE_DIR}/cmake/DesktopCaches.cmake\")
    fretlo_update_desktop_caches(\"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}\")
  endif()
")

# The Debian package: its dependencies are the packages of the libraries the programs link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fretlo)
set(CPACK_PACKAGE_VENDOR "Korvane Software")
set(CPACK_PACKAGE_CONTACT "Korvane Software <fretlo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tablature editor and player for guitar, bass and drums")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Fretlo writes, plays and prints string-instrument tablature with up to 15 \
tracks, plays it through a built-in synthesizer or a MIDI port, and exports MIDI files and plain-text tabs.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The built-in synthesizer needs a General MIDI SoundFont; the tablature is drawn in Liberation Sans.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont | fluid-soundfont-gm, fonts-liberation2")
# Installed with DESTDIR into the package's tree, so the desktop entry names /usr/bin/fretlo.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
