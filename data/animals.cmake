# SPDX-License-Identifier: GPL-3.0-or-later
# The animals: data/animals/<name>.txt, the readable form, built by anmtool into
# dat/<name>.anm. Their pictures are in imglib/animals.px8 (art/animals/).
file(GLOB animal_sources CONFIGURE_DEPENDS ${src}/animals/*.txt)
set(animal_outputs "")
foreach(source IN LISTS animal_sources)
  get_filename_component(name ${source} NAME_WE)
  set(out ${QR_DATA_DIR}/dat/${name}.anm)
  add_custom_command(OUTPUT ${out}
    COMMAND anmtool build ${source} ${out}
    DEPENDS anmtool ${source}
    COMMENT "Animal ${name}.anm")
  list(APPEND animal_outputs ${out})
endforeach()
add_custom_target(qr_data_animals DEPENDS ${animal_outputs})
add_dependencies(qr_data qr_data_animals)
