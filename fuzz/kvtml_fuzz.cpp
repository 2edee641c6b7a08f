// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a KVTML file to import.
#include "word_import_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qr::fuzz::Exercise(data, size, qr::TImportFormat::Kvtml);
    return 0;
}
