// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh temporary folder per test, removed afterwards.
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace qr::test {

class TempDir {
  public:
    TempDir() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("qr_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string Path(const std::string& name = "") const { return (path_ / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        auto p = path_ / name;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }
    std::string Read(const std::string& name) const {
        std::ifstream f(path_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }

  private:
    std::filesystem::path path_;
};

} // namespace qr::test
