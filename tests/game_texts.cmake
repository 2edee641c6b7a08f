# SPDX-License-Identifier: GPL-3.0-or-later
# A module's own texts in the player's language, levels with nothing to find and damaged
# modules, headless on the built data tree.
if(QR_BUILD_TESTS AND TARGET quilrush32 AND TARGET qrwtool)
  add_test(NAME e2e.game_texts COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/game_texts_test.sh
           $<TARGET_FILE:quilrush32> ${QR_DATA_DIR} $<TARGET_FILE:qrwtool>)
  set_tests_properties(e2e.game_texts PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp" TIMEOUT 600)
endif()
