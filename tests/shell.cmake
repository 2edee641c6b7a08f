# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop build in a real window under Xvfb, and what it says without any display.
if(QR_BUILD_TESTS)
  add_test(NAME e2e.desktop_window
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/desktop_window_test.sh $<TARGET_FILE:quilrush32>)
  set_tests_properties(e2e.desktop_window PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp"
    TIMEOUT 120)
endif()

# The game's sound through the main window's wiring, on the simulated devices.
if(QR_BUILD_TESTS)
  add_test(NAME e2e.sound.click
           COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/game_sound/run_sound_e2e.sh $<TARGET_FILE:quilrush32>
                   ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/world ${CMAKE_CURRENT_SOURCE_DIR}/game_sound/click.drive
                   ${CMAKE_CURRENT_SOURCE_DIR}/game_sound/click.expected)
endif()

# Termination signals end the game cleanly in any room; kills while it saves never leave a
# broken settings file or, after the next start, a stray temporary file.
if(QR_BUILD_TESTS)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_test(NAME e2e.shutdown
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/shutdown/shutdown_test.py
                   $<TARGET_FILE:quilrush32> ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/world 200)
  set_tests_properties(e2e.shutdown PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp"
    TIMEOUT 900)
endif()

# Where the system cannot show a message box, the game asks inside its own window.
if(QR_BUILD_TESTS)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_test(NAME e2e.window_question
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/window_question/window_question_test.py
                   $<TARGET_FILE:quilrush32> ${QR_DATA_DIR})
  set_tests_properties(e2e.window_question PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp" TIMEOUT 300)
endif()
if(QR_BUILD_TESTS)
  add_test(NAME e2e.desktop_question
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/window_question/desktop_question_test.sh
                   $<TARGET_FILE:quilrush32> ${QR_DATA_DIR})
  set_tests_properties(e2e.desktop_question PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp" TIMEOUT 300)
endif()

# With sound on and no sound card, the sound libraries' complaints stay out of the terminal.
if(QR_BUILD_TESTS)
  add_test(NAME e2e.sound_quiet
           COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/sound_quiet_test.sh $<TARGET_FILE:quilrush32>)
  set_tests_properties(e2e.sound_quiet PROPERTIES TIMEOUT 120
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
endif()
