# SPDX-License-Identifier: GPL-3.0-or-later
# qrwtool import and export --csv end to end, over the fixtures and over the KVTML files
# of Debian's kdeedu-kvtml-data (skipped when that package is not installed).
if(QR_BUILD_TESTS)
  find_package(Python3 COMPONENTS Interpreter REQUIRED)
  set(qr_wordimport_e2e ${CMAKE_CURRENT_LIST_DIR}/wordimport_qrwtool.py)
  add_test(NAME wordimport.qrwtool
           COMMAND Python3::Interpreter ${qr_wordimport_e2e} tool $<TARGET_FILE:qrwtool>
                   ${PROJECT_SOURCE_DIR}/shared/wordimport/tests/fixtures)
  add_test(NAME wordimport.kde_lists
           COMMAND Python3::Interpreter ${qr_wordimport_e2e} kde $<TARGET_FILE:qrwtool> /usr/share/apps/kvtml)
  set_tests_properties(wordimport.kde_lists PROPERTIES SKIP_RETURN_CODE 77)
endif()
