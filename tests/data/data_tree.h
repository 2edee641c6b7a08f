// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared helpers of the data-tree tests: where the built tree is and how to read it.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace qr::datatest {

inline std::string TreePath(const std::string& relative) {
    return std::string(QR_DATA_DIR) + "/" + relative;
}
inline std::string SourcePath(const std::string& relative) {
    return std::string(QR_SOURCE_DIR) + "/" + relative;
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Lines of a text file, without their line ends.
inline std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<uint8_t> bytes = ReadBytes(path);
    std::vector<std::string> lines;
    std::string line;
    for (uint8_t b : bytes) {
        if (b == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
            line.clear();
        } else {
            line += char(b);
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

inline uint32_t Le32(const std::vector<uint8_t>& d, size_t at) {
    return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | uint32_t(d[at + 3]) << 24;
}
inline uint16_t Le16(const std::vector<uint8_t>& d, size_t at) {
    return uint16_t(d[at] | d[at + 1] << 8);
}
inline uint32_t Be32(const std::vector<uint8_t>& d, size_t at) {
    return uint32_t(d[at]) << 24 | d[at + 1] << 16 | d[at + 2] << 8 | d[at + 3];
}
inline uint16_t Be16(const std::vector<uint8_t>& d, size_t at) {
    return uint16_t(d[at] << 8 | d[at + 1]);
}

} // namespace qr::datatest
