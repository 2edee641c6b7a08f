# SPDX-License-Identifier: GPL-3.0-or-later
# qrwtool end to end: the bundled word lists build, dump, check and survive
# build -> export -> build byte for byte; bad files are refused with their reason.
if(QR_BUILD_TESTS)
  find_package(Python3 COMPONENTS Interpreter REQUIRED)
  set(qr_wordlist_e2e ${CMAKE_CURRENT_LIST_DIR}/wordlist_qrwtool.py)
  set(qr_wordlist_strings ${PROJECT_SOURCE_DIR}/shared/wordlist/tests/fixtures/qr_test.str)
  add_test(NAME wordlist.bundled_lists
           COMMAND Python3::Interpreter ${qr_wordlist_e2e} lists $<TARGET_FILE:qrwtool>
                   ${PROJECT_SOURCE_DIR}/data/lists ${qr_wordlist_strings})
  add_test(NAME wordlist.qrwtool_errors
           COMMAND Python3::Interpreter ${qr_wordlist_e2e} errors $<TARGET_FILE:qrwtool>
                   ${PROJECT_SOURCE_DIR}/fuzz/corpus/fuzz_qrw ${qr_wordlist_strings})
endif()
