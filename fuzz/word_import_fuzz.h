// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared by the KVTML and CSV fuzz targets: whatever a file holds, the import either
// refuses it with an ImportException or gives a list that saves within the format's
// limits, loads back, and survives its way out to CSV and in again.
#include <cstdlib>
#include <string>

#include "foundation/polyglot.h"
#include "foundation/stream.h"
#include "wordimport/csv_writer.h"
#include "wordimport/word_import.h"

namespace qr::fuzz {

inline void LoadStrings() {
    std::string table;
    for (int i = 0; i < 250; ++i)
        table += (i == 0    ? "English"
                  : i == 30 ? "French"
                  : i == 31 ? "German"
                  : i == 32 ? "English"
                            : "-") +
                 std::string("\n");
    Polyglot().LoadFromBytes(table);
}

inline void ImportAndCheck(std::string_view bytes, TImportFormat format,
                           const TImportOptions& options) {
    TImportResult r;
    try {
        r = ImportWordList(bytes, format, options, "fuzz");
    } catch (const ImportException&) {
        return;
    }
    if (r.list.WordCount() != r.summary.imported) std::abort();
    // A list the import made must store: SaveToBytes throws for a broken limit.
    std::string saved = r.list.SaveToBytes();
    TMemoryStream in(saved);
    TQRWordList again;
    again.Reset();
    if (!again.LoadFromStream(in)) std::abort();
    try {
        TImportResult back = ImportWordList(ExportCsv(again), TImportFormat::Csv, {}, "fuzz.csv");
        if (back.list.WordCount() > again.WordCount()) std::abort();
    } catch (const ImportException&) {
        // The way back may meet what CSV cannot say (a list without playable words).
    }
}

inline void Exercise(const uint8_t* data, size_t size, TImportFormat format) {
    static bool ready = (LoadStrings(), true);
    (void)ready;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ImportAndCheck(bytes, format, {});
    TImportOptions other;
    other.skipUnshowable = true;
    other.type = TListType::Quiz;
    ImportAndCheck(bytes, format, other);
}

} // namespace qr::fuzz
