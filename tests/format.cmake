# SPDX-License-Identifier: GPL-3.0-or-later
# Style is settled by .clang-format: every tracked .cpp/.h must already be formatted.
if(QR_BUILD_TESTS)
  find_program(CLANG_FORMAT clang-format)
  if(NOT CLANG_FORMAT)
    set(CLANG_FORMAT clang-format)
  endif()
  add_test(NAME style.clang_format
           COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/format_test.sh ${CLANG_FORMAT} ${PROJECT_SOURCE_DIR})
endif()
