// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/obf_text.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

#include "foundation/stream.h"

using namespace qr;
namespace fs = std::filesystem;

static std::vector<uint8_t> Bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

static std::vector<std::string> ReadAll(TObfText& t) {
    std::vector<std::string> lines;
    for (int guard = 0; !t.EndOfData() && guard < 1000; ++guard)
        lines.push_back(t.ReadLine());
    return lines;
}

TEST(ObfText, CompilesRecordsWithPadding) {
    auto out = TObfText::CompileBytes(Bytes("a\n\nbc\n"), nullptr);
    ASSERT_EQ(out.size(), 8u);
    auto plain = out;
    TObfText::Unscramble(plain);
    EXPECT_EQ(plain, (std::vector<uint8_t>{1, 'a', 2, 'b', 'c', 0, 0, 0}));
    auto t = TObfText::FromBytes(out);
    EXPECT_EQ(ReadAll(t), (std::vector<std::string>{"a", "bc", "", "", ""}));

    // Records of exactly 8 bytes get a full block of padding, not none.
    auto eight = TObfText::CompileBytes(Bytes("abc\ndefg\n"), nullptr);
    EXPECT_EQ(eight.size(), 12u);
}

TEST(ObfText, FilterDecidesWhatIsKeptAndLastLineNeedsAFeed) {
    auto keepUpper = [](std::string& line) {
        if (line.empty() || line[0] == '#') return false;
        line = "<" + line + ">";
        return true;
    };
    auto t =
        TObfText::FromBytes(TObfText::CompileBytes(Bytes("# note\n  x \n\ny\nlast"), keepUpper));
    EXPECT_EQ(t.ReadLine(), "<  x >");
    EXPECT_EQ(t.ReadLine(), "<y>");
    EXPECT_EQ(t.ReadLine(), ""); // padding
}

TEST(ObfText, BlockCountAndScrambleRoundTrip) {
    EXPECT_EQ(TObfText::BlockCount(0), 4u);
    EXPECT_EQ(TObfText::BlockCount(261120), 4u);
    EXPECT_EQ(TObfText::BlockCount(261124), 5u);
    std::mt19937 rng(7);
    for (size_t size : {4u, 8u, 400u, 261120u, 261125u, 600000u}) {
        size_t n = TObfText::BlockCount(size);
        size -= size % n;
        std::vector<uint8_t> buf(size);
        for (auto& b : buf)
            b = uint8_t(rng());
        auto copy = buf;
        TObfText::Scramble(copy);
        EXPECT_NE(copy, buf);
        TObfText::Unscramble(copy);
        EXPECT_EQ(copy, buf) << size;
    }
    std::vector<uint8_t> odd = {1, 2, 3, 4, 5};
    TObfText::Unscramble(odd); // not a multiple of its block count: read as it is
    EXPECT_EQ(odd, (std::vector<uint8_t>{1, 2, 3, 4, 5}));
}

TEST(ObfText, HugeTextStillReadsBack) {
    std::string text;
    for (int i = 0; i < 30000; ++i)
        text += "line number " + std::to_string(i) + "\n";
    auto t = TObfText::FromBytes(TObfText::CompileBytes(Bytes(text), nullptr));
    EXPECT_EQ(t.ReadLine(), "line number 0");
    std::string last;
    for (int i = 1; i < 30000; ++i)
        last = t.ReadLine();
    EXPECT_EQ(last, "line number 29999");
}

TEST(ObfText, LengthByte255EndsTheData) {
    std::vector<uint8_t> plain = {1, 'a', 255, 'z', 0, 0, 0, 0};
    TObfText::Scramble(plain);
    auto t = TObfText::FromBytes(plain);
    EXPECT_EQ(t.ReadLine(), "a");
    EXPECT_EQ(t.ReadLine(), "");
    EXPECT_TRUE(t.EndOfData()); // a reader looping until the end must not hang here
    EXPECT_EQ(t.ReadLine(), "");
}

TEST(ObfText, CompilesWhenTextIsNewerAndMissingFileReadsEmpty) {
    fs::path dir = fs::temp_directory_path() / ("obf_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::string base = (dir / "init").string();
    EXPECT_TRUE(TObfText(base + ".dat").EndOfData());
    std::ofstream(base + ".txt") << "ROOM one\n";
    auto t = TObfText::OpenCompiled(base);
    EXPECT_EQ(t.ReadLine(), "ROOM one");
    ASSERT_TRUE(fs::exists(base + ".dat"));
    // A newer text file is compiled again.
    std::ofstream(base + ".txt") << "ROOM two\n";
    fs::last_write_time(base + ".txt",
                        fs::last_write_time(base + ".dat") + std::chrono::seconds(5));
    EXPECT_EQ(TObfText::OpenCompiled(base).ReadLine(), "ROOM two");
    // The compiled file alone is enough.
    fs::remove(base + ".txt");
    EXPECT_EQ(TObfText::OpenCompiled(base).ReadLine(), "ROOM two");
    fs::remove_all(dir);
}

TEST(ObfText, ACompiledFileThatCannotBeWrittenServesFromMemory) {
    // An installed copy after "cp -r": the text is newer, the compiled file read-only.
    fs::path dir = fs::temp_directory_path() / ("obf_ro_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::string base = (dir / "init").string();
    std::ofstream(base + ".txt") << "ROOM old\n";
    TObfText::Compile(base + ".txt", base + ".dat");
    fs::permissions(base + ".dat", fs::perms::owner_read | fs::perms::group_read);
    std::ofstream(base + ".txt") << "ROOM new\n";
    fs::last_write_time(base + ".txt",
                        fs::last_write_time(base + ".dat") + std::chrono::seconds(5));
    EXPECT_EQ(TObfText::OpenCompiled(base).ReadLine(), "ROOM new");
    EXPECT_EQ(TObfText(base + ".dat").ReadLine(), "ROOM old");
    fs::remove_all(dir);
}
