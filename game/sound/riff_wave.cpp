// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/sound/riff_wave.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "foundation/silent_abort.h"
#include "foundation/stream.h"
#include "foundation/utils.h"

namespace qr {

namespace {

uint32_t U32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}
uint16_t U16(const uint8_t* p) {
    return uint16_t(p[0] | (p[1] << 8));
}

[[noreturn]] void Abort(const char* why) {
    throw SilentAbort(std::string("Wave file: ") + why);
}

// A chunk found inside a list: where its contents start and how long they say they are.
struct Chunk {
    size_t offset;
    uint32_t size;
};

// Walks the chunks in [begin, end) for the first with the id. Chunks are padded to an even
// length; a chunk claiming more bytes than remain is reported as it is, so the caller can
// tell a short file from a missing chunk.
bool FindChunk(const uint8_t* bytes, size_t begin, size_t end, const char* id, Chunk& found) {
    size_t pos = begin;
    while (pos + 8 <= end) {
        const uint32_t size = U32(bytes + pos + 4);
        if (std::memcmp(bytes + pos, id, 4) == 0) {
            found = {pos + 8, size};
            return true;
        }
        const uint64_t next = uint64_t(pos) + 8 + size + (size & 1);
        if (next > end) return false;
        pos = size_t(next);
    }
    return false;
}

} // namespace

WaveData ParseWave(const uint8_t* bytes, size_t size) {
    if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
        Abort("not a RIFF/WAVE file");
    // A RIFF size larger than the file is common in files cut by careless tools; the
    // chunks themselves decide whether anything is missing.
    const size_t end = size_t(std::min<uint64_t>(size, uint64_t(U32(bytes + 4)) + 8));

    Chunk fmt{};
    if (!FindChunk(bytes, 12, end, "fmt ", fmt)) Abort("no format chunk");
    if (fmt.size < 16 || fmt.offset + fmt.size > end) Abort("short format chunk");
    WaveData w;
    const uint8_t* f = bytes + fmt.offset;
    w.format.formatTag = U16(f);
    w.format.channels = U16(f + 2);
    w.format.samplesPerSec = U32(f + 4);
    w.format.avgBytesPerSec = U32(f + 8);
    w.format.blockAlign = U16(f + 12);
    w.format.bitsPerSample = U16(f + 14);
    w.format.extraSize = fmt.size >= 18 ? U16(f + 16) : 0;
    if (w.format.formatTag != 1) Abort("not PCM");

    Chunk data{};
    if (!FindChunk(bytes, 12, end, "data", data)) Abort("no data chunk");
    if (data.size == 0) Abort("empty data");
    if (data.offset + uint64_t(data.size) > size) Abort("short data chunk");
    w.samples.assign(bytes + data.offset, bytes + data.offset + data.size);
    return w;
}

namespace {

// Sound names come from a table written with a case-blind file system in mind: when the
// exact name is absent, a file in the same folder whose name differs only in case is used.
std::string FindNoCase(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::exists(path, ec)) return path;
    const fs::path p(path);
    const fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
    const std::string want = p.filename().string();
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (EqualsNoCase(it->path().filename().string(), want)) return it->path().string();
    return path;
}

} // namespace

WaveData ReadWaveFile(const std::string& path) {
    // A name from the sound table may hold a zero byte (the path would end early, at the
    // folder) or name a folder: neither is a wave file, and reading a folder throws.
    const std::string file = FindNoCase(path);
    std::error_code ec;
    if (file.find('\0') != std::string::npos || !std::filesystem::is_regular_file(file, ec))
        Abort("cannot open");
    std::vector<uint8_t> bytes;
    try {
        bytes = ReadFileBytes(file);
    } catch (const UvoException&) {
        Abort("read error");
    }
    return ParseWave(bytes.data(), bytes.size());
}

} // namespace qr
