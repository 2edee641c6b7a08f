# SPDX-License-Identifier: GPL-3.0-or-later
# The menu rooms played from the title, headless on the built data tree.
if(QR_BUILD_TESTS AND TARGET quilrush32)
  add_test(NAME e2e.menus COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/menus_test.sh
           $<TARGET_FILE:quilrush32> ${QR_DATA_DIR})
  set_tests_properties(e2e.menus PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp" TIMEOUT 900)
endif()
