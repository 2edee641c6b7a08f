# SPDX-License-Identifier: GPL-3.0-or-later
# Shared build settings and the helpers every module uses, so that a module's
# CMakeLists only says what it is made of and what it needs.

add_library(qr_warnings INTERFACE)
target_compile_options(qr_warnings INTERFACE -Wall -Wextra -Wno-unused-parameter)

if(QR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(QR_FUZZ)
  # Every library is instrumented for coverage; only fuzz targets link the libFuzzer main.
  add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# qr_module(NAME DIR <dir> [DEPS <targets...>])
# A static library made of every .cpp in DIR (tests excluded), with DIR's parent
# folder chain on the include path so that code includes "foundation/uvo_list.h".
function(qr_module name)
  cmake_parse_arguments(M "" "DIR;INCLUDE" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${M_DIR}/*.cpp)
  foreach(ex IN LISTS M_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "${ex}")
  endforeach()
  if(NOT srcs)
    # A module whose code has not landed yet: headers only.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${M_INCLUDE})
    target_link_libraries(${name} INTERFACE ${M_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${M_INCLUDE})
  target_link_libraries(${name} PUBLIC ${M_DEPS} PRIVATE qr_warnings)
endfunction()

# Helpers shared by every test binary (temporary folders, ...): tests/support/test_support/.
add_library(qr_test_support INTERFACE)
target_include_directories(qr_test_support INTERFACE ${PROJECT_SOURCE_DIR}/tests/support)

# qr_tests(NAME DIR <dir> DEPS <targets...>): one GoogleTest binary made of DIR/*_test.cpp.
function(qr_tests name)
  if(NOT QR_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "DIR" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${T_DIR}/*_test.cpp ${T_DIR}/test_*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${T_DEPS} GTest::gtest GTest::gtest_main GTest::gmock qr_test_support qr_warnings)
  target_compile_definitions(${name} PRIVATE QR_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "QR_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

# qr_fuzz(NAME SOURCE <file> DEPS <targets...> [CORPUS <dir>])
# With QR_FUZZ the target is a libFuzzer binary. Otherwise it is linked with a small
# replay driver and registered as a test that feeds it its seed corpus plus a few
# thousand mutated inputs, so every reader of outside bytes is exercised in CI too.
function(qr_fuzz name)
  cmake_parse_arguments(F "" "SOURCE;CORPUS" "DEPS" ${ARGN})
  add_executable(${name} ${F_SOURCE})
  target_link_libraries(${name} PRIVATE ${F_DEPS} qr_warnings)
  if(QR_FUZZ)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
    if(QR_BUILD_TESTS)
      set(corpus ${F_CORPUS})
      if(NOT corpus)
        set(corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
      endif()
      add_test(NAME fuzz.${name} COMMAND ${name} --mutate 3000 ${corpus})
    endif()
  endif()
endfunction()

# --- Version -------------------------------------------------------------------------------
# Every program's --version prints the project's version from one generated header.
configure_file(${CMAKE_CURRENT_LIST_DIR}/qr_version.h.in ${CMAKE_BINARY_DIR}/generated/qr_version.h)

# --- Installation layout ---------------------------------------------------------------------
# Where `cmake --install` puts things, relative to CMAKE_INSTALL_PREFIX (GNU layout). A
# packager may move the game apart from the other programs, e.g. Debian puts games in
# "games" and everything else in "bin":
#   cmake -DQR_INSTALL_GAMEDIR=games ...
# The game installs into QR_INSTALL_GAMEDIR, the editor and the tools into QR_INSTALL_BINDIR;
# the read-only data goes to QR_INSTALL_DATADIR, which an installed program finds from its
# own folder.
include(GNUInstallDirs)
set(QR_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR} CACHE STRING
    "Folder for the editor and the tools (relative to the prefix)")
set(QR_INSTALL_GAMEDIR ${QR_INSTALL_BINDIR} CACHE STRING
    "Folder for the game (relative to the prefix)")
set(QR_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/quilrush CACHE STRING
    "Folder for the game's read-only data (relative to the prefix)")
set(QR_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/quilrush CACHE STRING
    "Folder for the licence texts and the copyright record (relative to the prefix)")
option(QR_INSTALL_LICENSES "Install the licence texts into QR_INSTALL_DOCDIR" ON)
# The ways from the installed programs to their data, so a copy staged with DESTDIR or
# moved to another prefix still finds it.
cmake_path(ABSOLUTE_PATH QR_INSTALL_DATADIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
           OUTPUT_VARIABLE qr_datadir_full)
foreach(kind BINDIR GAMEDIR)
  cmake_path(ABSOLUTE_PATH QR_INSTALL_${kind} BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
             OUTPUT_VARIABLE qr_dir_full)
  file(RELATIVE_PATH QR_DATA_FROM_${kind} ${qr_dir_full} ${qr_datadir_full})
endforeach()

find_program(SCDOC_EXECUTABLE scdoc REQUIRED)

# qr_install_program(TARGET [GAME] [MAN <page.scd>...])
# Installs a program into QR_INSTALL_BINDIR (with GAME: QR_INSTALL_GAMEDIR) and its manual
# pages, written in scdoc ("NAME.SECTION.scd"), rendered at build time into
# man<SECTION>/NAME.SECTION.gz.
function(qr_install_program target)
  cmake_parse_arguments(P "GAME" "" "MAN" ${ARGN})
  if(P_GAME)
    install(TARGETS ${target} RUNTIME DESTINATION ${QR_INSTALL_GAMEDIR})
  else()
    install(TARGETS ${target} RUNTIME DESTINATION ${QR_INSTALL_BINDIR})
  endif()
  foreach(page IN LISTS P_MAN)
    get_filename_component(name ${page} NAME)
    string(REGEX REPLACE "\\.scd$" "" name ${name})
    string(REGEX REPLACE "^.*\\.([0-9])$" "\\1" section ${name})
    set(out ${CMAKE_BINARY_DIR}/man/${name})
    add_custom_command(OUTPUT ${out}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${SCDOC_EXECUTABLE} < ${page} > ${out}
      COMMAND gzip -n -9 -f ${out}
      DEPENDS ${page}
      COMMENT "Manual page ${name}")
    add_custom_target(man_${name} ALL DEPENDS ${out}.gz)
    install(FILES ${out}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
  endforeach()
endfunction()

# qr_install_desktop(APP <name> DESKTOP <file> ICON <svg> [METAINFO <file.in>])
# A program's desktop entry, its icon (the SVG and PNGs rendered from it for the hicolor
# theme) and its AppStream metainfo. The icon and the desktop file are named after APP;
# the metainfo template becomes <QR_APPSTREAM_PREFIX>.<APP>.metainfo.xml, with
# @QR_APPSTREAM_PREFIX@, @QR_HOMEPAGE@ (the bug tracker, the help and the screenshots are
# under it) and @QR_APPSTREAM_RELEASES@ filled in.
# The project has no domain and homepage of its own yet: the defaults use the reserved
# example domain, and a packager sets the real ones.
set(QR_APPSTREAM_PREFIX "org.example" CACHE STRING
    "Reverse-domain prefix of the AppStream component ids")
set(QR_HOMEPAGE "https://example.org/quill-rush" CACHE STRING
    "Homepage in the AppStream metainfo; screenshots are under <homepage>/screenshots/")
# The releases, newest first, with their dates, from the release history in
# debian/changelog: the project's version must be its newest entry.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/debian/changelog)
file(STRINGS ${PROJECT_SOURCE_DIR}/debian/changelog qr_changelog REGEX "^(quill-rush \\(| -- )")
set(QR_APPSTREAM_RELEASES "")
set(qr_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(qr_release_version "")
foreach(line IN LISTS qr_changelog)
  if(line MATCHES "^quill-rush \\(([^)]+)\\)")
    set(qr_release_version ${CMAKE_MATCH_1})
    if(NOT QR_NEWEST_RELEASE)
      set(QR_NEWEST_RELEASE ${qr_release_version})
    endif()
  elseif(line MATCHES "^ -- .*>  [A-Z][a-z][a-z], ([0-9]+) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    list(FIND qr_months ${CMAKE_MATCH_2} month)
    math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
    string(LENGTH "${month}" n)
    if(n EQUAL 1)
      set(month "0${month}")
    endif()
    set(day ${CMAKE_MATCH_1})
    string(LENGTH "${day}" n)
    if(n EQUAL 1)
      set(day "0${day}")
    endif()
    string(APPEND QR_APPSTREAM_RELEASES
           "    <release version=\"${qr_release_version}\" date=\"${CMAKE_MATCH_3}-${month}-${day}\"/>\n")
  endif()
endforeach()
string(REGEX REPLACE "\n$" "" QR_APPSTREAM_RELEASES "${QR_APPSTREAM_RELEASES}")
if(NOT QR_NEWEST_RELEASE STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "debian/changelog's newest release is ${QR_NEWEST_RELEASE}, the project's "
          "version ${PROJECT_VERSION}: add the release to the changelog (dch -v ${PROJECT_VERSION})")
endif()
find_program(RSVG_CONVERT_EXECUTABLE rsvg-convert REQUIRED)
set(QR_ICON_SIZES 16 32 48 64 128 256 CACHE INTERNAL "Rendered sizes of the desktop icons")
function(qr_install_desktop)
  cmake_parse_arguments(D "" "APP;DESKTOP;ICON;METAINFO" "" ${ARGN})
  set(outputs "")
  foreach(size IN LISTS QR_ICON_SIZES)
    set(out ${CMAKE_BINARY_DIR}/icons/${size}/${D_APP}.png)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}
      COMMAND ${RSVG_CONVERT_EXECUTABLE} -w ${size} -h ${size} -o ${out} ${D_ICON}
      DEPENDS ${D_ICON})
    list(APPEND outputs ${out})
    install(FILES ${out} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(icons_${D_APP} ALL DEPENDS ${outputs})
  install(FILES ${D_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${D_APP}.svg)
  install(FILES ${D_DESKTOP} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
          RENAME ${D_APP}.desktop)
  if(D_METAINFO)
    set(metainfo ${CMAKE_BINARY_DIR}/metainfo/${QR_APPSTREAM_PREFIX}.${D_APP}.metainfo.xml)
    configure_file(${D_METAINFO} ${metainfo} @ONLY)
    install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  endif()
endfunction()
