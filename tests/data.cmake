# SPDX-License-Identifier: GPL-3.0-or-later
# Checks of the built data tree (data/): what the game and the editor will read.
qr_tests(data_tree_tests DIR ${CMAKE_CURRENT_SOURCE_DIR}/data DEPS qr_foundation qr_graphics qr_wordlist qr_gameplay anmtool_core qrdata_lib)
if(TARGET data_tree_tests)
  target_compile_definitions(data_tree_tests PRIVATE QR_DATA_DIR="${QR_DATA_DIR}")
  add_dependencies(data_tree_tests qr_data)
endif()

# The game starting from the built tree (headless), once the shell is part of the build.
if(QR_BUILD_TESTS AND TARGET quilrush32)
  add_test(NAME e2e.data_start COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/data_start_test.sh
           $<TARGET_FILE:quilrush32> ${QR_DATA_DIR})
  set_tests_properties(e2e.data_start PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp" TIMEOUT 120)
endif()

# Every room of the shipped world looks exactly as in docs/screenshots/.
if(QR_BUILD_TESTS AND TARGET quilrush32)
  add_test(NAME e2e.screens COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/screens_test.sh
           $<TARGET_FILE:quilrush32> ${QR_DATA_DIR} ${PROJECT_SOURCE_DIR}/docs/screenshots)
  set_tests_properties(e2e.screens PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp" TIMEOUT 300)
endif()

# The start, initials and diploma rooms with a module, in each language, as in
# docs/screenshots/start/.
if(QR_BUILD_TESTS AND TARGET quilrush32)
  add_test(NAME e2e.start_screens COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/start_screens_test.sh
           $<TARGET_FILE:quilrush32> ${QR_DATA_DIR} ${PROJECT_SOURCE_DIR}/docs/screenshots/start)
  set_tests_properties(e2e.start_screens PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp" TIMEOUT 300)
endif()
