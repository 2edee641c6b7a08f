// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Compiled text files: the game reads its world script, sound table and high scores from
// a ".dat" file, a scrambled list of length-prefixed lines made from the editable ".txt"
// file of the same base name. TObfText reads the compiled form; Compile makes it.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qr {

class TObfText {
  public:
    // Gets a line, may change it, and answers whether to keep it.
    using Filter = std::function<bool(std::string& line)>;

    // Reads the file when it exists (an absent file reads as no lines) and unscrambles it.
    explicit TObfText(const std::string& datFile);
    // For tests and fuzzing: compiled bytes already in memory.
    static TObfText FromBytes(std::vector<uint8_t> bytes);

    // The next record; empty at the end. A length byte of 255 is an end marker: it reads
    // as an empty line and ends the data.
    std::string ReadLine();
    bool EndOfData() const { return pos_ >= data_.size(); }

    // The file the lines came from: the ".dat", or the ".txt" when OpenCompiled compiled
    // it in memory. Empty for bytes given directly.
    const std::string& FileName() const { return fileName_; }
    // Why the data is not what Compile writes ("the file is empty", ...); empty when it
    // is. The reader itself takes any bytes; a caller that cannot work on a damaged file
    // (the world script) asks first rather than reading noise as lines.
    std::string Damage() const;

    // Text file -> compiled file. Without a filter lines are trimmed and empty ones dropped.
    // Lines of 255 bytes or more cannot be stored and are cut to 254.
    static void Compile(const std::string& txtFile, const std::string& datFile,
                        const Filter& filter = nullptr);
    // The compiled bytes of the given text, before writing (used by Compile and tests).
    static std::vector<uint8_t> CompileBytes(const std::vector<uint8_t>& text,
                                             const Filter& filter);
    // The compiled bytes of lines taken as they are, every byte kept (the high-score file's
    // initials may hold any letter of the fonts). Lines longer than 254 bytes are cut.
    static std::vector<uint8_t> CompileLines(const std::vector<std::string>& lines);

    // The smallest n >= 4 with size div n <= 65280.
    static uint32_t BlockCount(uint64_t size);
    static void Scramble(std::vector<uint8_t>& data);
    // Leaves data unchanged unless its size is a non-zero multiple of its block count.
    static void Unscramble(std::vector<uint8_t>& data);

    // The caller's rule: compile when the ".txt" exists and the ".dat" is missing or older,
    // then read the ".dat". `base` is the path without extension. When the ".dat" cannot
    // be written (a read-only program folder) the compiled lines are read from memory.
    static TObfText OpenCompiled(const std::string& base, const Filter& filter = nullptr);

  private:
    TObfText() = default;
    std::vector<uint8_t> data_;
    size_t pos_ = 0;
    std::string fileName_;
};

} // namespace qr
