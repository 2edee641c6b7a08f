# SPDX-License-Identifier: GPL-3.0-or-later
# Builds every word-list source in data/lists/ (*.qrs, the text form qrwtool reads)
# into the development home's lists folder, where the game finds its modules.
#
# The lists name their languages; their language codes come from the English string
# file when it is there. Point QR_LIST_STRINGS at another file to use its names.
set(QR_LIST_STRINGS "${PROJECT_SOURCE_DIR}/data/str/qr_eng.str" CACHE FILEPATH
    "String file whose language names give the bundled word lists their language codes")

file(GLOB qr_list_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/lists/*.qrs)
set(qr_lists_dir ${CMAKE_BINARY_DIR}/devhome/QuilRush/lists)
set(qr_list_string_args)
set(qr_list_string_deps)
if(EXISTS ${QR_LIST_STRINGS})
  set(qr_list_string_args --strings ${QR_LIST_STRINGS})
  set(qr_list_string_deps ${QR_LIST_STRINGS})
endif()

set(qr_list_outputs)
foreach(src IN LISTS qr_list_sources)
  get_filename_component(name ${src} NAME_WE)
  set(out ${qr_lists_dir}/${name}.qrw)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${qr_lists_dir}
    COMMAND qrwtool build ${src} ${out} ${qr_list_string_args}
    DEPENDS ${src} qrwtool ${qr_list_string_deps}
    COMMENT "Word list ${name}.qrw"
    VERBATIM)
  list(APPEND qr_list_outputs ${out})
endforeach()
add_custom_target(qr_data_lists ALL DEPENDS ${qr_list_outputs})
