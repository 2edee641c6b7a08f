# SPDX-License-Identifier: GPL-3.0-or-later
# Every room walked in every shipped language, with every bundled module and one whose
# texts are as long as the editor allows: no text may be cut, wrapped out of its box or
# left blank (the game reports each one headless).
if(QR_BUILD_TESTS AND TARGET quilrush32 AND TARGET qrwtool)
  find_package(Python3 COMPONENTS Interpreter REQUIRED)
  add_test(NAME e2e.text_fit
           COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/text_fit_test.py
                   $<TARGET_FILE:quilrush32> ${QR_DATA_DIR} $<TARGET_FILE:qrwtool>)
  set_tests_properties(e2e.text_fit PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp" TIMEOUT 600)
endif()
