// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a fuzz target without libFuzzer: every file named (or found in a named folder)
// is fed to the target, and with "--mutate N" each is also fed N times with random
// byte flips, cuts and insertions. Used as a CTest so that CI exercises the readers.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

static std::vector<uint8_t> ReadAll(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

int main(int argc, char** argv) {
    long mutations = 0;
    std::vector<std::vector<uint8_t>> inputs;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--mutate" && i + 1 < argc) {
            mutations = std::stol(argv[++i]);
            continue;
        }
        std::filesystem::path p(a);
        std::error_code ec;
        if (std::filesystem::is_directory(p, ec)) {
            for (auto& e : std::filesystem::recursive_directory_iterator(p))
                if (e.is_regular_file()) inputs.push_back(ReadAll(e.path()));
        } else if (std::filesystem::exists(p, ec)) {
            inputs.push_back(ReadAll(p));
        }
    }
    inputs.push_back({});
    std::mt19937 rng(12345);
    long runs = 0;
    for (const auto& in : inputs) {
        LLVMFuzzerTestOneInput(in.data(), in.size());
        ++runs;
        for (long m = 0; m < mutations / long(inputs.size()) + 1; ++m) {
            std::vector<uint8_t> d = in;
            int edits = 1 + int(rng() % 8);
            for (int e = 0; e < edits; ++e) {
                switch (rng() % 4) {
                case 0:
                    if (!d.empty()) d[rng() % d.size()] ^= uint8_t(1u << (rng() % 8));
                    break;
                case 1:
                    if (!d.empty()) d[rng() % d.size()] = uint8_t(rng());
                    break;
                case 2:
                    if (!d.empty()) d.resize(rng() % d.size());
                    break;
                case 3:
                    d.insert(d.begin() + (d.empty() ? 0 : rng() % d.size()), uint8_t(rng()));
                    break;
                }
            }
            LLVMFuzzerTestOneInput(d.data(), d.size());
            ++runs;
        }
    }
    std::printf("%ld inputs run\n", runs);
    return 0;
}
