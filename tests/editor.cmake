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
