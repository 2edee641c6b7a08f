// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the headless driver as a drive script, over a small installation
// of the fuzzer's own (the game's shell without its world, so each session is quick). A
// script may fail or stop with a message; a crash, a hang, a leak or an exception that
// leaves the driver is a fault, and so is an exit code the driver does not give.
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "fuzz_temp_file.h"
#include "game/shell/headless_driver.h"

namespace {

// A string file: name, UI line, codes, other strings and the 23 language names.
std::string StringFile() {
    std::string s = "English\n-\nenu eng\n";
    for (int i = 3; i < 53; ++i)
        s += "s" + std::to_string(i) + "\n";
    return s;
}

const qr::ProgramOptions& Installation() {
    static const qr::ProgramOptions options = [] {
        namespace fs = std::filesystem;
        const std::string dir = qr::fuzz::TempFolder();
        auto write = [&](const std::string& name, const std::string& text) {
            fs::create_directories(fs::path(dir + name).parent_path());
            qr::fuzz::WriteTemp(name, reinterpret_cast<const uint8_t*>(text.data()), text.size());
        };
        write("prog/dat/sounds.txt", "1 hello.wav\n");
        write("prog/dat/init.txt", "\n");
        write("prog/imglib/game.px8", "PX8");
        write("prog/str/qr_eng.str", StringFile());
        fs::create_directories(dir + "inst");
        write("reg.ini", "[Software\\UVO! Software\\QuilRush]\nDirectory=" + dir + "inst\n");
        setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
        qr::ProgramOptions o;
        o.registryPath = dir + "reg.ini";
        o.programFolder = dir + "prog";
        o.windowsLanguage = "enu";
        o.seed = 1;
        return o;
    }();
    return options;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const qr::ProgramOptions& options = Installation();
    // Every session starts from no settings.
    std::filesystem::remove(qr::fuzz::TempFolder() + "inst/quilrush.ini");
    std::ostringstream out;
    qr::HeadlessDriver driver(out);
    std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
    const int code = driver.Run(options, script);
    if (code < 0 || code > 3) std::abort();
    return 0;
}
