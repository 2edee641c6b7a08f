# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DMANIFEST=<build>/install_manifest.txt -DDATAROOT=share -P uninstall.cmake
# Removes every file the manifest lists (under $DESTDIR, as it was installed), then each of
# their folders that is left empty, walking up towards the prefix; then the desktop caches
# that only this install's files needed, or rebuilds them when others remain.
if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "${MANIFEST} does not exist: nothing was installed from this build tree")
endif()
file(STRINGS "${MANIFEST}" files)
# The prefix: the folder above DATAROOT in the path of an installed data file.
set(prefix "")
foreach(f IN LISTS files)
  if(f MATCHES "^(.*)/${DATAROOT}/")
    set(prefix "$ENV{DESTDIR}${CMAKE_MATCH_1}")
    break()
  endif()
endforeach()
if(prefix STREQUAL "")
  message(FATAL_ERROR "${MANIFEST} lists no file under <prefix>/${DATAROOT}")
endif()

set(dirs "")
foreach(f IN LISTS files)
  set(path "$ENV{DESTDIR}${f}")
  if(EXISTS "${path}" OR IS_SYMLINK "${path}")
    file(REMOVE "${path}")
  endif()
  get_filename_component(d "${path}" DIRECTORY)
  list(APPEND dirs "${d}")
endforeach()

# What update-mime-database and update-desktop-database wrote is theirs to keep while some
# other program's files remain there; when none do, it goes too.
set(data "${prefix}/${DATAROOT}")
file(GLOB left_types "${data}/mime/packages/*")
if(IS_DIRECTORY "${data}/mime" AND NOT left_types)
  file(REMOVE_RECURSE "${data}/mime")
endif()
file(GLOB left_entries "${data}/applications/*")
if(left_entries STREQUAL "${data}/applications/mimeinfo.cache")
  file(REMOVE "${data}/applications/mimeinfo.cache")
endif()

# Empty folders go, except the prefix's own first level and the manual's folder, which the
# system makes (a Debian /usr/local has an empty bin/, games/, share/man/...).
list(REMOVE_DUPLICATES dirs)
foreach(d IN LISTS dirs)
  while(IS_DIRECTORY "${d}")
    file(RELATIVE_PATH rel "${prefix}" "${d}")
    if(rel STREQUAL "" OR rel MATCHES "^\\.\\." OR rel MATCHES "^[^/]+$" OR rel STREQUAL "${DATAROOT}/man")
      break()
    endif()
    file(GLOB left "${d}/*" "${d}/.*")
    if(left)
      break()
    endif()
    file(REMOVE_RECURSE "${d}")
    get_filename_component(d "${d}" DIRECTORY)
  endwhile()
endforeach()
message(STATUS "Uninstalled the files of ${MANIFEST} and the folders they left empty")
if("$ENV{DESTDIR}" STREQUAL "")
  include(${CMAKE_CURRENT_LIST_DIR}/update-desktop-caches.cmake)
  qr_update_desktop_caches("${data}")
endif()
