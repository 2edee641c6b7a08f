// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Readers that take a path, not bytes, get the fuzz input through a file of this process's
// own in the temporary folder.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace qr::fuzz {

inline std::string TempFolder() {
    static const std::string dir = [] {
        std::string d =
            (std::filesystem::temp_directory_path() / ("qr_fuzz_" + std::to_string(::getpid())))
                .string() +
            "/";
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

inline std::string WriteTemp(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = TempFolder() + name;
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}

} // namespace qr::fuzz
