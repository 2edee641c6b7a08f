# SPDX-License-Identifier: GPL-3.0-or-later
# The editor end to end under Xvfb (its Qt tests live in editor/).
find_program(XVFB_RUN xvfb-run)
find_program(XDOTOOL xdotool)
if(XVFB_RUN AND XDOTOOL)
  add_test(NAME e2e.editor.xvfb
           COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/editor_xvfb_test.sh $<TARGET_FILE:quarry32>
                   $<TARGET_FILE:qrwtool> ${QR_DATA_DIR})
  set_tests_properties(e2e.editor.xvfb PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp"
    TIMEOUT 180)
endif()

# The menu entry and the ".qrw" file type are well formed.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(UPDATE_MIME_DATABASE update-mime-database)
if(DESKTOP_FILE_VALIDATE AND UPDATE_MIME_DATABASE)
  add_test(NAME editor.desktop_entry
           COMMAND sh -c "set -e; ${DESKTOP_FILE_VALIDATE} \"$0/quarry32.desktop\"; d=$(mktemp -d); trap 'rm -rf $d' EXIT; mkdir -p $d/packages; cp \"$0/quarry32-mime.xml\" $d/packages/quarry32.xml; ${UPDATE_MIME_DATABASE} $d 2>&1 | (! grep -i error); grep -q 'application/x-quill-rush-word-list:\\*.qrw' $d/globs2"
                   ${PROJECT_SOURCE_DIR}/editor/desktop)
endif()

# A whole module made in the editor by the keyboard, then played by the game.
find_program(CONVERT_EXECUTABLE convert)
if(XVFB_RUN AND XDOTOOL AND CONVERT_EXECUTABLE)
  add_test(NAME e2e.module.xvfb
           COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/module_xvfb_test.sh $<TARGET_FILE:quarry32>
                   $<TARGET_FILE:quilrush32> $<TARGET_FILE:qrwtool> $<TARGET_FILE:px8tool>
                   ${QR_DATA_DIR} ${PROJECT_SOURCE_DIR}/data/art/palette.pal
                   ${CMAKE_CURRENT_LIST_DIR})
  set_tests_properties(e2e.module.xvfb PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp"
    TIMEOUT 400)
endif()
