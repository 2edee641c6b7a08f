# SPDX-License-Identifier: GPL-3.0-or-later
# Every program and tool keeps the same command-line conventions (tests/cli/).
if(QR_BUILD_TESTS)
  set(qr_cli_programs "")
  foreach(program quilrush32 px8tool fonttool qrwtool qrdata anmtool quarry32)
    if(TARGET ${program})
      get_target_property(type ${program} TYPE)
      if(type STREQUAL "EXECUTABLE")
        list(APPEND qr_cli_programs "${program}=$<TARGET_FILE:${program}>")
      endif()
    endif()
  endforeach()
  add_test(NAME cli.conventions
           COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/cli/command_line_test.py
                   ${PROJECT_SOURCE_DIR} ${PROJECT_VERSION} ${qr_cli_programs})
  set_tests_properties(cli.conventions PROPERTIES TIMEOUT 600)
endif()
