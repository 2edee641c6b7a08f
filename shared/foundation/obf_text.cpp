// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/obf_text.h"

#include <algorithm>
#include <filesystem>

#include "foundation/stream.h"
#include "foundation/utils.h"

namespace qr {

namespace fs = std::filesystem;

TObfText::TObfText(const std::string& datFile) : fileName_(datFile) {
    std::error_code ec;
    if (fs::is_regular_file(datFile, ec)) {
        data_ = ReadFileBytes(datFile);
        Unscramble(data_);
    }
}

TObfText TObfText::FromBytes(std::vector<uint8_t> bytes) {
    TObfText t;
    t.data_ = std::move(bytes);
    Unscramble(t.data_);
    return t;
}

std::string TObfText::Damage() const {
    const size_t size = data_.size();
    if (size == 0) return "the file is empty";
    if (size % BlockCount(size) != 0) return "it is not a compiled file";
    // Records, then at least one zero byte of padding (which walks as empty records).
    size_t pos = 0;
    while (pos < size) {
        const uint8_t len = data_[pos++];
        if (len == 255) return "the file is damaged";
        if (len > size - pos) return "the file ends too early";
        pos += len;
    }
    if (data_.back() != 0) return "the file is damaged";
    return {};
}

std::string TObfText::ReadLine() {
    if (pos_ >= data_.size()) return {};
    uint8_t len = data_[pos_++];
    if (len == 255) {
        // An end marker: nothing after it can be read. Staying on it would make every
        // caller that reads until EndOfData loop for ever, so the reader stops here.
        pos_ = data_.size();
        return {};
    }
    size_t n = std::min<size_t>(len, data_.size() - pos_);
    std::string line(reinterpret_cast<const char*>(data_.data() + pos_), n);
    pos_ += n;
    return line;
}

uint32_t TObfText::BlockCount(uint64_t size) {
    // size div n <= 65280  <=>  n > size div 65281
    return static_cast<uint32_t>(std::max<uint64_t>(4, size / 65281 + 1));
}

void TObfText::Scramble(std::vector<uint8_t>& data) {
    const size_t size = data.size();
    if (size == 0) return;
    const size_t n = BlockCount(size);
    const size_t b = size / n;
    uint8_t* p = data.data();
    for (size_t k = 0; k + 1 < n; ++k)
        for (size_t i = 0; i < b; ++i)
            p[k * b + i] ^= p[(k + 1) * b + i];
    for (size_t i = 0; i < b; ++i)
        p[(n - 1) * b + i] ^= p[i];
}

void TObfText::Unscramble(std::vector<uint8_t>& data) {
    const size_t size = data.size();
    if (size == 0) return;
    const size_t n = BlockCount(size);
    if (size % n != 0) return;
    const size_t b = size / n;
    uint8_t* p = data.data();
    for (size_t i = 0; i < b; ++i)
        p[(n - 1) * b + i] ^= p[i];
    for (size_t k = n - 1; k-- > 0;)
        for (size_t i = 0; i < b; ++i)
            p[k * b + i] ^= p[(k + 1) * b + i];
}

std::vector<uint8_t> TObfText::CompileBytes(const std::vector<uint8_t>& text,
                                            const Filter& filter) {
    TMemoryStream in(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    std::vector<std::string> lines;
    for (;;) {
        std::string line;
        try {
            line = qr::ReadLine(in);
        } catch (const StreamReadError&) {
            break; // the end of the text; a last line without a line feed is not read
        }
        if (filter) {
            if (!filter(line)) continue;
        } else {
            line = Trim(line);
            if (line.empty()) continue;
        }
        lines.push_back(std::move(line));
    }
    return CompileLines(lines);
}

std::vector<uint8_t> TObfText::CompileLines(const std::vector<std::string>& lines) {
    std::vector<uint8_t> out;
    for (const std::string& line : lines) {
        const size_t n = std::min<size_t>(line.size(), 254);
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), line.begin(), line.begin() + long(n));
    }
    // Padding of 1..n zero bytes up to a multiple of the block count n. Near the limits
    // of a block count the padded size can need a larger n than the records alone; the
    // padded size is then chosen so that its own block count divides it, or the reader
    // would take the file as not scrambled.
    const size_t records = out.size();
    size_t total = records + 1;
    while (total % BlockCount(total) != 0)
        ++total;
    out.resize(total, 0);
    Scramble(out);
    return out;
}

void TObfText::Compile(const std::string& txtFile, const std::string& datFile,
                       const Filter& filter) {
    std::vector<uint8_t> text = ReadFileBytes(txtFile);
    std::vector<uint8_t> out = CompileBytes(text, filter);
    WriteFileAtomic(datFile, out.data(), out.size());
}

TObfText TObfText::OpenCompiled(const std::string& base, const Filter& filter) {
    const std::string txt = base + ".txt";
    const std::string dat = base + ".dat";
    std::error_code e1, e2;
    if (fs::exists(txt, e1)) {
        auto datTime = fs::last_write_time(dat, e2);
        if (e2 || datTime < fs::last_write_time(txt, e1)) {
            std::vector<uint8_t> compiled = CompileBytes(ReadFileBytes(txt), filter);
            try {
                WriteFileAtomic(dat, compiled.data(), compiled.size());
            } catch (const UvoException&) {
                // An installed copy's folder may be read-only: the compiled form then
                // serves from memory, and the next start compiles again.
            }
            TObfText text = FromBytes(std::move(compiled));
            text.fileName_ = txt;
            return text;
        }
    }
    return TObfText(dat);
}

} // namespace qr
