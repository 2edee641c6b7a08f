# SPDX-License-Identifier: GPL-3.0-or-later
# Whole games in the play room, headless on the built data tree.
if(QR_BUILD_TESTS AND TARGET quilrush32)
  add_test(NAME e2e.play_games COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/play_game_test.sh
           $<TARGET_FILE:quilrush32> ${QR_DATA_DIR})
  set_tests_properties(e2e.play_games PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp" TIMEOUT 600)
endif()
# The start, initials and diploma rooms around a game.
if(QR_BUILD_TESTS AND TARGET quilrush32)
  add_test(NAME e2e.start_rooms COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/start_rooms_test.sh
           $<TARGET_FILE:quilrush32> $<TARGET_FILE:qrwtool> ${QR_DATA_DIR}
           ${PROJECT_SOURCE_DIR}/data/lists/quiz.qrs)
  set_tests_properties(e2e.start_rooms PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp" TIMEOUT 600)
endif()
