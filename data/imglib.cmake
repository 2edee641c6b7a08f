# SPDX-License-Identifier: GPL-3.0-or-later
# Image libraries: one folder under art/ per library, holding its pictures' sources and
# images.txt; pack-library.sh renders, brings them to the game palette and packs them.
set(QR_GAME_TTF /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf)
if(TARGET px8tool AND TARGET fonttool)
  set(QR_LIBRARIES game scenes ldsv_gfx animals)
  set(lib_outputs "")
  foreach(lib IN LISTS QR_LIBRARIES)
    file(GLOB lib_sources CONFIGURE_DEPENDS ${src}/art/${lib}/*)
    set(out ${QR_DATA_DIR}/imglib/${lib}.px8)
    add_custom_command(OUTPUT ${out}
      COMMAND sh ${src}/art/pack-library.sh ${src}/art/${lib} ${src}/art/palette.pal ${out}
              $<TARGET_FILE:qrdata> $<TARGET_FILE:px8tool> ${CMAKE_CURRENT_BINARY_DIR}/art/${lib}
              $<TARGET_FILE:fonttool> ${QR_GAME_TTF}
      DEPENDS ${lib_sources} ${src}/art/pack-library.sh ${src}/art/palette.pal qrdata px8tool fonttool
      COMMENT "Image library ${lib}.px8")
    list(APPEND lib_outputs ${out})
  endforeach()
  add_custom_target(qr_data_imglib DEPENDS ${lib_outputs})
  add_dependencies(qr_data qr_data_imglib)
else()
  message(FATAL_ERROR "The image libraries need px8tool and fonttool (tools/)")
endif()
