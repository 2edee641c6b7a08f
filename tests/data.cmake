# Checks of the built data tree (data/): what the game and the editor will read.
qr_tests(data_tree_tests DIR ${CMAKE_CURRENT_SOURCE_DIR}/data DEPS qr_foundation qr_graphics)
if(TARGET data_tree_tests)
  target_compile_definitions(data_tree_tests PRIVATE QR_DATA_DIR="${QR_DATA_DIR}")
  add_dependencies(data_tree_tests qr_data)
endif()
