# End-to-end tests of the world: the real program, headless, over a fixture installation.
if(QR_BUILD_TESTS AND TARGET quilrush32)
  foreach(scenario rooms)
    add_test(NAME e2e.world.${scenario}
             COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/run_world_e2e.sh $<TARGET_FILE:quilrush32>
                     ${CMAKE_CURRENT_LIST_DIR}/fixtures/world ${CMAKE_CURRENT_LIST_DIR}/world/${scenario}.drive
                     ${CMAKE_CURRENT_LIST_DIR}/world/${scenario}.expected)
  endforeach()
endif()
