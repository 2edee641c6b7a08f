# SPDX-License-Identifier: GPL-3.0-or-later
# The last steps of `cmake --install`, after every program and data file is in place, and
# the `uninstall` target that undoes them. Included at the end of the top CMakeLists.txt,
# so that these rules run after all the others.

# --- The licence texts and the copyright record ----------------------------------------------
# A Debian package turns this off: its own copyright file carries the same record.
if(QR_INSTALL_LICENSES)
  install(FILES ${PROJECT_SOURCE_DIR}/debian/copyright DESTINATION ${QR_INSTALL_DOCDIR}
          RENAME COPYRIGHT)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/LICENSES/ DESTINATION ${QR_INSTALL_DOCDIR}/LICENSES)
endif()

# --- The desktop's caches ----------------------------------------------------------------------
# The file manager learns that ".qrw" files are word lists, and the menus find the new
# entries and icons, only once the prefix's MIME, desktop-entry and icon caches are
# rebuilt. A package (DESTDIR) leaves that to the package manager's triggers.
set(QR_UPDATE_CACHES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/update-desktop-caches.cmake)
install(CODE "
  if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
    include(\"${QR_UPDATE_CACHES_SCRIPT}\")
    qr_update_desktop_caches(\"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}\")
  endif()")

# --- Uninstall -------------------------------------------------------------------------------
# Removes what the last `cmake --install` of this build tree installed (its
# install_manifest.txt), then the folders that were left empty, then rebuilds the caches.
add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DMANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt
          -DDATAROOT=${CMAKE_INSTALL_DATADIR}
          -P ${CMAKE_CURRENT_LIST_DIR}/uninstall.cmake
  COMMENT "Uninstalling what install_manifest.txt lists")
