# SPDX-License-Identifier: GPL-3.0-or-later
# Packaging and desktop integration: `cmake --install` staged into a temporary root and
# checked as a packager would, the README example, the window icon.
if(QR_BUILD_TESTS)
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
  find_program(APPSTREAMCLI appstreamcli REQUIRED)
  add_test(NAME install.staged
           COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/install/install_test.sh ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}
                   ${CMAKE_CURRENT_SOURCE_DIR}/install/installed-files.txt)
  set_tests_properties(install.staged PROPERTIES TIMEOUT 300
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
endif()

# The README's headless example works from the build tree and leaves the home alone.
if(QR_BUILD_TESTS)
  add_test(NAME e2e.readme_example
           COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/readme_example_test.sh ${PROJECT_SOURCE_DIR}
                   ${CMAKE_BINARY_DIR})
  set_tests_properties(e2e.readme_example PROPERTIES TIMEOUT 120
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
endif()

# The desktop window's icon, from the built data tree.
if(QR_BUILD_TESTS)
  add_test(NAME e2e.window_icon
           COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/window_icon_test.sh $<TARGET_FILE:quilrush32>
                   ${QR_DATA_DIR})
  set_tests_properties(e2e.window_icon PROPERTIES TIMEOUT 120
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
endif()

# The licence record and the files' SPDX lines agree; the package's build dependencies and
# install-deps name the same packages; the sounds build to the same bytes twice.
if(QR_BUILD_TESTS)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_test(NAME packaging.licences
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/packaging/licence_check.py
                   ${PROJECT_SOURCE_DIR})
  add_test(NAME packaging.build_depends
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/packaging/build_depends_check.py
                   ${PROJECT_SOURCE_DIR})
  add_test(NAME packaging.sounds_repeatable
           COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/packaging/sounds_repeatable_test.sh
                   ${PROJECT_SOURCE_DIR}/data/wav/make-sounds.sh)
  set_tests_properties(packaging.sounds_repeatable PROPERTIES TIMEOUT 120)
endif()

# Two full package builds with lintian: long, so only with `ctest --preset package`.
if(QR_BUILD_TESTS)
  add_test(NAME package.build
           COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/packaging/package_test.sh ${PROJECT_SOURCE_DIR})
  set_tests_properties(package.build PROPERTIES LABELS package TIMEOUT 10800 RUN_SERIAL ON)
endif()
