# SPDX-License-Identifier: GPL-3.0-or-later
# Whole games in the play room, headless on the built data tree.
if(QR_BUILD_TESTS AND TARGET quilrush32 AND TARGET qrwtool)
  add_test(NAME e2e.play_games COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/play_game_test.sh
           $<TARGET_FILE:quilrush32> ${QR_DATA_DIR} $<TARGET_FILE:qrwtool>)
  set_tests_properties(e2e.play_games PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp" TIMEOUT 600)
endif()

# The play room's keys and panels in a real window under a virtual X server.
find_program(XVFB_RUN xvfb-run)
find_program(XDOTOOL xdotool)
find_program(IM_IMPORT import)
if(QR_BUILD_TESTS AND TARGET quilrush32 AND XVFB_RUN AND XDOTOOL AND IM_IMPORT)
  add_test(NAME e2e.play_window
           COMMAND ${XVFB_RUN} -a -s "-screen 0 1400x1000x24" sh
                   ${CMAKE_CURRENT_SOURCE_DIR}/play_window_test.sh $<TARGET_FILE:quilrush32> ${QR_DATA_DIR})
  set_tests_properties(e2e.play_window PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp" TIMEOUT 120)
endif()

# A long soak over every bundled module; label "soak", left out of the default test run
# (ctest --preset soak runs it).
if(QR_BUILD_TESTS AND TARGET quilrush32)
  add_test(NAME soak.play_levels COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/play_soak_test.sh
           $<TARGET_FILE:quilrush32> ${QR_DATA_DIR} 100)
  set_tests_properties(soak.play_levels PROPERTIES LABELS soak
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp" TIMEOUT 14400)
endif()

# The start, initials and diploma rooms around a game.
if(QR_BUILD_TESTS AND TARGET quilrush32)
  add_test(NAME e2e.start_rooms COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/start_rooms_test.sh
           $<TARGET_FILE:quilrush32> $<TARGET_FILE:qrwtool> ${QR_DATA_DIR}
           ${PROJECT_SOURCE_DIR}/data/lists/quiz.qrs)
  set_tests_properties(e2e.start_rooms PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp" TIMEOUT 600)
endif()
