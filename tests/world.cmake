# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end tests of the world: the real program, headless, over a fixture installation.
if(QR_BUILD_TESTS AND TARGET quilrush32)
  foreach(scenario rooms)
    add_test(NAME e2e.world.${scenario}
             COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/run_world_e2e.sh $<TARGET_FILE:quilrush32>
                     ${CMAKE_CURRENT_LIST_DIR}/fixtures/world ${CMAKE_CURRENT_LIST_DIR}/world/${scenario}.drive
                     ${CMAKE_CURRENT_LIST_DIR}/world/${scenario}.expected)
  endforeach()
  # A world script with a bad rectangle ends start-up with its message.
  add_test(NAME e2e.world.badscript
           COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/run_world_e2e.sh $<TARGET_FILE:quilrush32>
                   ${CMAKE_CURRENT_LIST_DIR}/fixtures/world ${CMAKE_CURRENT_LIST_DIR}/world/badscript.drive
                   ${CMAKE_CURRENT_LIST_DIR}/world/badscript.expected ${CMAKE_CURRENT_LIST_DIR}/world/badscript.txt)
endif()

# The same world in a real window under a virtual X server, when the tools are there.
find_program(XVFB_RUN xvfb-run)
find_program(XDOTOOL xdotool)
find_program(IM_IMPORT import)
if(QR_BUILD_TESTS AND TARGET quilrush32 AND XVFB_RUN AND XDOTOOL AND IM_IMPORT)
  add_test(NAME e2e.world.xvfb
           COMMAND ${XVFB_RUN} -a -s "-screen 0 1400x1000x24" sh ${CMAKE_CURRENT_LIST_DIR}/run_world_xvfb.sh
                   $<TARGET_FILE:quilrush32> ${CMAKE_CURRENT_LIST_DIR}/fixtures/world)
endif()
