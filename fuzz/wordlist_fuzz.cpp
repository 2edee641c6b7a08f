// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a ".qrw" word list and as a word-list text source. A list
// that loads must save, load again and save to the same bytes, survive the game's
// round choice, and come back unchanged through its text form.
#include <array>
#include <cstdlib>
#include <string>

#include "foundation/polyglot.h"
#include "foundation/stream.h"
#include "wordlist/word_list.h"
#include "wordlist/word_list_file.h"
#include "wordlist/word_list_source.h"

namespace {

void LoadStrings() {
    std::string table;
    for (int i = 0; i < 250; ++i)
        table += (i == 0    ? "English"
                  : i == 32 ? "English"
                  : i == 34 ? "French"
                  : i == 35 ? "German"
                            : "-") +
                 std::string("\n");
    qr::Polyglot().LoadFromBytes(table);
}

void Exercise(const std::string& bytes) {
    qr::TQRWordList list;
    list.Reset();
    qr::TMemoryStream in(bytes);
    if (!list.LoadFromStream(in)) return;

    std::array<uint16_t, 5> slots{};
    const std::string answer = list.LanguageCount() ? list.LanguageName(0) : list.PrimaryLanguage();
    for (int level = 0; level < int(list.LevelCount()) && level < 3; ++level) {
        list.ChooseRoundWords(list.PrimaryLanguage(), answer, level, slots);
        for (uint16_t s : slots)
            if (s >= list.WordCount() && list.WordCount() > 0) std::abort();
    }
    list.ClearUsedMarks();

    // What we write must read back. The first read may still settle a language code
    // (an unknown language read as 255 is held as -1 and written as 0xFFFF, which reads
    // back as 255), so the bytes must be stable from the second save on.
    auto reload = [](const std::string& bytes, qr::TQRWordList& into) {
        qr::TMemoryStream s(bytes);
        if (!into.LoadFromStream(s)) std::abort();
        return into.SaveToBytes();
    };
    qr::TQRWordList second, again;
    const std::string saved = reload(list.SaveToBytes(), second);
    if (reload(saved, again) != saved) std::abort();

    // The text form refuses some things a file may hold (a fifth description line, a
    // language named twice); what it accepts must come back byte for byte.
    qr::TQRWordList rebuilt;
    try {
        qr::TWordListSource::Build(qr::TWordListSource::Export(again), rebuilt);
    } catch (const qr::WordListException&) {
        return;
    }
    if (rebuilt.SaveToBytes() != saved) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = (LoadStrings(), true);
    (void)ready;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    Exercise(bytes);
    // Nearly every mutation breaks the checksum; with the trailer mended the same
    // mutation reaches the fields behind it.
    if (size >= 4) {
        std::string mended = bytes;
        uint32_t crc = qr::WordListChecksum(std::string_view(mended).substr(0, size - 4));
        for (int i = 0; i < 4; ++i)
            mended[size - 4 + i] = char((crc >> (8 * i)) & 0xFF);
        Exercise(mended);
    }
    qr::TQRWordList fromText;
    try {
        qr::TWordListSource::Build(bytes, fromText);
        fromText.SaveToBytes();
    } catch (const qr::UvoException&) {
    }
    return 0;
}
