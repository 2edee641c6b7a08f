// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A wave manager over the simulated device, with a folder of small wave files and the
// log lines it printed, for the sequencing tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/sound/sound_pump.h"
#include "game/sound/tests/wave_bytes.h"
#include "platform/headless/headless_sound.h"

namespace qr::test {

class SoundFolder {
  public:
    SoundFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("qr_sound_" + std::string(info->test_suite_name()) + "_" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~SoundFolder() { std::filesystem::remove_all(path_); }
    std::string Path() const { return path_.string() + "/"; }
    // A wave of `ms` milliseconds (8-bit mono, 22 050 Hz).
    void AddWave(const std::string& name, uint32_t ms) {
        WriteFile(Path() + name + ".wav", Wave8(ms * 22050 / 1000));
    }
    void AddFile(const std::string& name, const std::string& text) {
        WriteFile(Path() + name, std::vector<uint8_t>(text.begin(), text.end()));
    }

  private:
    std::filesystem::path path_;
};

// Collects log lines; Take() returns and forgets them.
struct LogLines {
    std::vector<std::string> lines;
    auto Sink() {
        return [this](const std::string& l) { lines.push_back(l); };
    }
    std::vector<std::string> Take() { return std::exchange(lines, {}); }
};

} // namespace qr::test
