# SPDX-License-Identifier: GPL-3.0-or-later
# qr_update_desktop_caches(DATAROOT): rebuilds the MIME database, the desktop-entry cache and
# the hicolor icon cache under DATAROOT (<prefix>/share). A tool that is not there, or a
# cache that cannot be written, is reported and skipped: the files are installed all the
# same, and only the desktop integration waits for the next rebuild.
function(qr_update_desktop_cache tool needed)
  if(NOT EXISTS "${needed}")
    return()
  endif()
  find_program(exe ${tool} NO_CACHE)
  if(NOT exe)
    message(STATUS "Not found, skipped: ${tool}")
    return()
  endif()
  list(JOIN ARGN " " shown)
  message(STATUS "Updating: ${tool} ${shown}")
  execute_process(COMMAND ${exe} ${ARGN} RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(WARNING "${tool} failed (${rc}): ${err}")
  endif()
endfunction()

function(qr_update_desktop_caches dataroot)
  qr_update_desktop_cache(update-mime-database "${dataroot}/mime/packages" "${dataroot}/mime")
  qr_update_desktop_cache(update-desktop-database "${dataroot}/applications" -q "${dataroot}/applications")
  # An icon cache belongs to a theme: without the theme's index (a prefix such as
  # /usr/local has none) GTK looks the icons up in the folders, and there is no cache.
  qr_update_desktop_cache(gtk-update-icon-cache "${dataroot}/icons/hicolor/index.theme"
                          -q -f "${dataroot}/icons/hicolor")
endfunction()
