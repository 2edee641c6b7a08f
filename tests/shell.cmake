# The desktop build in a real window under Xvfb, and what it says without any display.
if(QR_BUILD_TESTS)
  add_test(NAME e2e.desktop_window
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/desktop_window_test.sh $<TARGET_FILE:quilrush32>)
  set_tests_properties(e2e.desktop_window PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp"
    TIMEOUT 120)
endif()
