# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install` staged into a temporary root and checked as a packager would.
if(QR_BUILD_TESTS)
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
  find_program(APPSTREAMCLI appstreamcli REQUIRED)
  add_test(NAME install.staged
           COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/install/install_test.sh ${CMAKE_BINARY_DIR}
                   ${CMAKE_CURRENT_SOURCE_DIR}/install/installed-files.txt)
  set_tests_properties(install.staged PROPERTIES TIMEOUT 300
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
endif()
