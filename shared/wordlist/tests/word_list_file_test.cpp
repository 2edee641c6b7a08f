// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordlist/word_list_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "foundation/stream.h"
#include "test_strings.h"
#include "wordlist/scramble.h"
#include "wordlist/word_list.h"

namespace qr {
namespace {

namespace fs = std::filesystem;

// Writes ".qrw" bytes by hand, the way files of older versions were laid out.
class Bytes {
  public:
    Bytes& U8(uint8_t v) {
        s_.WriteU8(v);
        return *this;
    }
    Bytes& U16(uint16_t v) {
        s_.WriteU16(v);
        return *this;
    }
    Bytes& U32(uint32_t v) {
        s_.WriteU32(v);
        return *this;
    }
    Bytes& Str(std::string_view v) {
        s_.WriteShortString(v);
        return *this;
    }
    Bytes& Raw(std::string_view v) {
        s_.WriteBytes(v);
        return *this;
    }
    std::string Plain() const { return s_.Bytes(); }
    std::string WithChecksum() const {
        std::string b = s_.Bytes();
        TMemoryStream t(b);
        t.Seek(t.Size());
        t.WriteU32(WordListChecksum(b));
        return t.Bytes();
    }

  private:
    TMemoryStream s_;
};

// A quiz list of two words in the layout of format version v. Every field that the
// version has is filled, so a test can see which ones the reader takes.
std::string QuizFile(uint16_t v, uint8_t secondGroup = 3) {
    Bytes b;
    b.U32(TQRWordList::kMagic).U16(v).U8(2).Str("English").Str("Planets").Str("ada");
    b.U16(2).U16(5).U8(0);
    if (v >= 12) b.Str("English").U16(2);
    b.U16(1).Str("a comment");
    if (v >= 7) b.U16(1).Str("All about planets.");
    b.U16(1).Str("ada is a teacher");
    b.U16(1).Str("Giants");
    if (v >= 4) b.U16(3);
    if (v >= 2) b.U16(1).Str("import").Str("t1").Str("t2").U16(7).U16(8).Raw("ABCDEFGH");
    b.U16(1).Str("English").U8(2).U16(2);
    if (v >= 5) {
        b.Str("German").U16(5);
        b.U16(2).Str("Easy").U8(1).U8(3).Str("").U8(2).U8(0).U8(120);
        b.U16(1).Str("French").Str("Facile").Str("Difficile");
        if (v >= 8) b.U16(1).Str("Tout sur les plan\xE8tes.");
        if (v >= 9) b.Str("Plan\xE8tes");
        b.U8(4);
    }
    // Body: clues, then words.
    b.U16(2).Str("Largest planet").Str("Red planet");
    b.U16(2).Str("Jupiter");
    if (v >= 3)
        b.U32(word_attr::Make(v >= 2 ? 1 : 0, 3));
    else
        b.U8(3).U8(0xEE);
    b.Str("Mars");
    if (v >= 3)
        b.U32(word_attr::Make(0, secondGroup, 9));
    else
        b.U8(secondGroup).U8(0xEE);
    if (v < 12) b.Str("English").U16(2);
    b.Str(ScrambleText("pw")).Str("imglib/space.px8");
    if (v >= 11) b.Str(ScrambleText("sig"));
    return v >= 10 ? b.WithChecksum() : b.Plain();
}

class WordListFile : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::UseEnglishStrings();
        list.SetNameLanguage("English");
        list.Reset();
        dir = fs::temp_directory_path() /
              ("qrw_test_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    bool Load(const std::string& bytes) {
        TMemoryStream s(bytes);
        return list.LoadFromStream(s);
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    // The list as a model a game would see it, field by field.
    static void ExpectResetState(const TQRWordList& l) {
        EXPECT_EQ(l.WordCount(), 0u);
        EXPECT_EQ(l.ListType(), TListType::Quiz);
        EXPECT_EQ(l.LevelCount(), 10u);
        EXPECT_EQ(l.StoredTitle(), "");
        EXPECT_EQ(l.CommentCount(), 0u);
        EXPECT_EQ(l.ImportSourceCount(), 0u);
        EXPECT_FALSE(l.Modified());
    }

    TQRWordList list;
    fs::path dir;
};

TEST_F(WordListFile, EveryFieldSurvivesSaveAndLoad) {
    list.SetListType(TListType::Vocabulary);
    list.SetTitle("Animals");
    list.SetHandle("ada");
    list.SetVersion(3, 7);
    list.SetUsesIconClues(true);
    list.SetIconLibrary("imglib/animals.px8");
    list.SetPassword(ScrambleText("secret"));
    list.SetSignature(ScrambleText("ada 2026"));
    list.AddComment("check the German plurals");
    list.AddDescriptionLine("Animals of the farm");
    list.AddDescriptionLine("and the zoo.");
    list.AddAuthorLine("ada teaches year 4");
    list.SetGroupName(0, "Farm");
    list.SetGroupName(7, "Zoo");
    list.AddWord("cow", 0);
    list.AddWord("-lion", 7);
    list.AddWord("\x81pple", 99); // a special letter
    list.AddLanguage("German");
    list.AddLanguage("Klingon");
    list.SetTranslation("German", 0, "die Kuh");
    list.SetTranslation("German", 1, "der L\xF6we");
    list.SetTranslation("Klingon", 2, "qagh");
    list.Level(0)->Include(0);
    list.Level(1)->Include(0);
    list.Level(1)->Include(7);
    list.SetLevelName(1, "Harder");
    list.DeleteLevel(9);
    list.AddTextLanguage("German");
    list.SetTitleIn("German", "Tiere");
    list.AddDescriptionLineIn("German", "Tiere vom Bauernhof");
    list.SetLevelNameIn("German", 1, "Schwerer");
    list.AddTextLanguage("Elvish");

    const std::string bytes = list.SaveToBytes();
    EXPECT_FALSE(list.Modified());
    TQRWordList back;
    TMemoryStream s(bytes);
    ASSERT_TRUE(back.LoadFromStream(s)) << back.LastError();

    EXPECT_EQ(back.FileVersion(), 12);
    EXPECT_EQ(back.ListType(), TListType::Vocabulary);
    EXPECT_EQ(back.NameLanguage(), "English");
    EXPECT_EQ(back.Title(), "Animals");
    EXPECT_EQ(back.Handle(), "ada");
    EXPECT_EQ(back.VersionMajor(), 3);
    EXPECT_EQ(back.VersionMinor(), 7);
    EXPECT_TRUE(back.UsesIconClues());
    EXPECT_EQ(back.IconLibrary(), "imglib/animals.px8");
    EXPECT_EQ(UnscrambleText(back.Password()), "secret");
    EXPECT_EQ(UnscrambleText(back.Signature()), "ada 2026");
    EXPECT_EQ(back.Comment(0), "check the German plurals");
    EXPECT_EQ(back.DescriptionCount(), 2u);
    EXPECT_EQ(back.DescriptionLine(1), "and the zoo.");
    EXPECT_EQ(back.AuthorLine(0), "ada teaches year 4");
    EXPECT_EQ(back.GroupName(7), "Zoo");
    EXPECT_EQ(back.GroupName(0), "Farm");
    ASSERT_EQ(back.WordCount(), 3u);
    EXPECT_EQ(back.Word(2), "\x81pple");
    EXPECT_EQ(back.Group(1), 7);
    EXPECT_EQ(back.Group(2), 99);
    EXPECT_EQ(back.GetTranslation("German", 1), "der L\xF6we");
    EXPECT_EQ(back.GetTranslation("Klingon", 2), "qagh");
    EXPECT_EQ(back.LanguageCode(0), 5);
    EXPECT_EQ(back.LanguageCode(1), 255);
    EXPECT_EQ(back.PrimaryLanguage(), "English");
    EXPECT_EQ(back.PrimaryLanguageCode(), 2);
    ASSERT_EQ(back.LevelCount(), 9u);
    EXPECT_TRUE(back.Level(1)->Contains(7));
    EXPECT_EQ(back.Level(1)->Count(), 2);
    EXPECT_EQ(back.LevelName(1), "Harder");
    EXPECT_EQ(back.TextLanguage(), "English");
    ASSERT_EQ(back.TextLanguageCount(), 2u);
    EXPECT_EQ(back.TitleIn("German"), "Tiere");
    EXPECT_EQ(back.DescriptionLineIn("German", 0), "Tiere vom Bauernhof");
    EXPECT_EQ(back.LevelNameIn("German", 1), "Schwerer");
    EXPECT_EQ(back.TextLanguageCode(0), 5);
    EXPECT_EQ(back.TextLanguageCode(1), 255);
    ASSERT_EQ(back.LanguageSummary().size(), 3u);
    EXPECT_EQ(back.LanguageSummary()[0].playable, 2); // "-lion" is not playable
    EXPECT_EQ(back.LanguageSummary()[1].playable, 2);
    EXPECT_EQ(back.LanguageSummary()[2].name, "Klingon");
    EXPECT_EQ(back.LanguageSummary()[2].playable, 1);
    EXPECT_FALSE(back.Modified());
    EXPECT_EQ(back.SaveToBytes(), bytes);
}

TEST_F(WordListFile, LanguageNamesReadInThePlayersLanguage) {
    list.SetListType(TListType::Vocabulary);
    list.AddWord("cat", 0);
    list.AddLanguage("French");
    list.AddLanguage("Klingon");
    list.AddTextLanguage("German");
    const std::string bytes = list.SaveToBytes();

    testing::UseGermanStrings();
    TQRWordList german;
    TMemoryStream s(bytes);
    ASSERT_TRUE(german.LoadFromStream(s));
    testing::UseEnglishStrings();
    EXPECT_EQ(german.NameLanguage(), "Deutsch");
    EXPECT_EQ(german.PrimaryLanguage(), "Englisch");
    EXPECT_EQ(german.TextLanguage(), "Englisch");
    EXPECT_EQ(german.LanguageName(0), "Franz\xF6sisch");
    EXPECT_EQ(german.LanguageName(1), "Klingon");
    EXPECT_EQ(german.TextLanguageName(0), "Deutsch");
    EXPECT_EQ(german.LanguageSummary()[1].name, "Franz\xF6sisch");
    EXPECT_EQ(german.LanguageSummary()[2].name, "Klingon");
}

TEST_F(WordListFile, ClueListsRoundTripAndEmptySecretsAreTwoZeroBytes) {
    list.SetListType(TListType::Anagrams);
    list.AddClueWord("It says moo", "cow", 2);
    list.AddClueWord("", "-", 0);
    const std::string bytes = list.SaveToBytes();
    const std::string emptySecret("\x02\x00\x00", 3);
    // The signature ends the file right before the checksum; the password follows the words.
    EXPECT_EQ(bytes.substr(bytes.size() - 7, 3), emptySecret);
    EXPECT_NE(bytes.find(std::string("-\x00\x00\x00\x00", 5) + emptySecret), std::string::npos);
    ASSERT_TRUE(Load(bytes));
    EXPECT_EQ(list.ListType(), TListType::Anagrams);
    EXPECT_EQ(list.Clue(0), "It says moo");
    EXPECT_EQ(list.Word(1), "-");
    EXPECT_EQ(list.Group(0), 2);
    ASSERT_EQ(list.LanguageSummary().size(), 1u);
    EXPECT_EQ(list.LanguageSummary()[0].playable, 1);
}

TEST_F(WordListFile, VocabularyWithoutSecondLanguageSummarisesOneLanguage) {
    list.SetListType(TListType::Vocabulary);
    list.AddWord("one", 0);
    ASSERT_TRUE(Load(list.SaveToBytes()));
    EXPECT_EQ(list.LanguageSummary().size(), 1u);
}

// What each format version holds, and what older ones leave at the reset values.
TEST_F(WordListFile, EveryVersionLoadsWithItsGates) {
    for (uint16_t v : {1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12}) {
        SCOPED_TRACE("version " + std::to_string(v));
        ASSERT_TRUE(Load(QuizFile(v))) << list.LastError();
        EXPECT_EQ(list.FileVersion(), v);
        EXPECT_EQ(list.Title(), "Planets");
        EXPECT_EQ(list.VersionMinor(), 5);
        EXPECT_EQ(list.Clue(1), "Red planet");
        EXPECT_EQ(list.Word(0), "Jupiter");
        EXPECT_EQ(list.Group(0), 3);
        EXPECT_EQ(list.UsedMark(1), 0);
        EXPECT_EQ(list.PrimaryLanguage(), "English");
        EXPECT_EQ(UnscrambleText(list.Password()), "pw");
        EXPECT_EQ(list.IconLibrary(), "imglib/space.px8");
        EXPECT_EQ(list.ImportSourceCount(), v >= 2 ? 1u : 0u);
        if (v >= 2) {
            EXPECT_EQ(list.ImportSource(0)->FirstWord, v >= 3 ? 0 : -1);
            EXPECT_EQ(list.ImportSource(0)->number2, 8);
            EXPECT_EQ(list.Source(0), v >= 3 ? 1 : 0);
        }
        EXPECT_EQ(list.GroupNames()[0].group, v >= 4 ? 3 : 0);
        EXPECT_EQ(list.DescriptionCount(), v >= 7 ? 1u : 0u);
        if (v >= 5) {
            EXPECT_EQ(list.LevelCount(), 2u);
            EXPECT_EQ(list.TextLanguage(), "German");
            EXPECT_EQ(list.TextLanguageCode(), 5);
            EXPECT_TRUE(list.Level(0)->Contains(3));
            EXPECT_TRUE(list.Level(1)->Contains(0));
            EXPECT_EQ(list.Level(1)->Count(), 2); // as stored, 120 included
            EXPECT_EQ(list.LevelNameIn("French", 1), "Difficile");
            EXPECT_EQ(list.TextLanguageCode(0), 4);
            EXPECT_EQ(list.DescriptionCountIn("French"), v >= 8 ? 1u : 0u);
            EXPECT_EQ(list.TitleIn("French"), v >= 9 ? "Plan\xE8tes" : "");
        } else {
            // Ten default levels; the text language comes from the name language.
            EXPECT_EQ(list.LevelCount(), 10u);
            EXPECT_EQ(list.TextLanguage(), "English");
            EXPECT_EQ(list.TextLanguageCount(), 0u);
        }
        EXPECT_EQ(UnscrambleText(list.Signature()), v >= 11 ? "sig" : "");
        EXPECT_FALSE(list.Modified());
    }
}

TEST_F(WordListFile, OldFilesAreUpgradedToVersionTwelve) {
    for (uint16_t v : {1, 4, 9, 10}) {
        ASSERT_TRUE(Load(QuizFile(v)));
        const std::string upgraded = list.SaveToBytes();
        TQRWordList again;
        TMemoryStream s(upgraded);
        ASSERT_TRUE(again.LoadFromStream(s)) << again.LastError();
        EXPECT_EQ(again.FileVersion(), 12);
        EXPECT_EQ(again.Word(1), "Mars");
        EXPECT_EQ(again.LevelCount(), list.LevelCount());
        EXPECT_EQ(again.SaveToBytes(), upgraded);
    }
}

TEST_F(WordListFile, AGroupAboveNinetyNineIsReadAsZero) {
    ASSERT_TRUE(Load(QuizFile(12, 120)));
    EXPECT_EQ(list.Group(1), 0);
    ASSERT_TRUE(Load(QuizFile(1, 120)));
    EXPECT_EQ(list.Group(1), 0);
}

TEST_F(WordListFile, AChangedByteFailsTheChecksumButNotTheHeader) {
    std::string bytes = QuizFile(12);
    size_t mars = bytes.find("Mars");
    bytes[mars] = 'W';
    ASSERT_FALSE(Load(bytes));
    EXPECT_EQ(list.LastError(), "Word-list file is corrupt.");
    ExpectResetState(list);
    EXPECT_TRUE(list.LoadHeaderFromFile(Write("damaged.qrw", bytes)));
    EXPECT_EQ(list.Title(), "Planets");
    EXPECT_EQ(list.WordCount(), 0u);

    // Damage that breaks the structure first is still reported as damage.
    std::string broken = QuizFile(12);
    broken[broken.find("a comment") - 3] = '\x7F';
    ASSERT_FALSE(Load(broken));
    EXPECT_EQ(list.LastError(), "Word-list file is corrupt.");

    // A version 9 file has no checksum: the same change loads.
    std::string v9 = QuizFile(9);
    v9[v9.find("Mars")] = 'W';
    ASSERT_TRUE(Load(v9));
    EXPECT_EQ(list.Word(1), "Wars");
}

TEST_F(WordListFile, BadFilesFailCleanlyWithTheReason) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string reason;
        TLoadFault fault;
    };
    std::string wrongMagic = QuizFile(9);
    wrongMagic[0] = 'X';
    std::string badVersion = QuizFile(9);
    badVersion[4] = 13;
    std::string badType = QuizFile(9);
    badType[6] = 3;
    // A count of comments far beyond the file.
    std::string hugeCount = QuizFile(9);
    size_t comments = hugeCount.find("a comment") - 3;
    hugeCount[comments] = '\xFF';
    hugeCount[comments + 1] = '\xFF';
    // Word 2 names import source 2, which the file does not hold.
    std::string noSource = QuizFile(9);
    size_t attr = noSource.find("Mars") + 4;
    noSource[attr] = 2;
    // One clue more than there are words.
    Bytes extraClue;
    extraClue.U32(TQRWordList::kMagic)
        .U16(9)
        .U8(2)
        .Str("English")
        .Str("")
        .Str("")
        .U16(1)
        .U16(0)
        .U8(0);
    extraClue.U16(0).U16(0).U16(0).U16(0).U16(0).U16(0); // comments..summary
    extraClue.Str("English").U16(2).U16(0).U16(0);       // no levels, no extras
    extraClue.U16(2).Str("a").Str("b").U16(1).Str("w").U32(0).Str("English").U16(2).Str("").Str("");
    std::string badChecksum = QuizFile(12);
    badChecksum[badChecksum.find("Mars")] = 'W';
    const std::string cut = QuizFile(12).substr(0, 40);
    using enum TLoadFault;
    Case cases[] = {
        {"wrong magic", wrongMagic, "Invalid WordList file", NotAWordList},
        {"version 13", badVersion, "Unsupported word-list file version 13.", NewerVersion},
        {"list type 3", badType, "Unknown word-list type 3.", Damaged},
        {"huge count", hugeCount, "Word-list file is truncated: a count exceeds the data left.",
         Truncated},
        {"missing import source", noSource,
         "Word-list file names an import source it does not hold.", Damaged},
        {"columns differ", extraClue.Plain(), "Word-list file is corrupt.", Damaged},
        {"empty", "", "Word-list file is truncated.", Truncated},
        {"cut short (with a checksum)", cut, "Word-list file is corrupt.", Damaged},
        {"checksum", badChecksum, "Word-list file is corrupt.", Damaged},
    };
    for (const auto& c : cases) {
        list.SetHandle("left from before");
        EXPECT_FALSE(Load(c.bytes)) << c.what;
        EXPECT_EQ(list.LastError(), c.reason) << c.what;
        EXPECT_EQ(list.LastFault(), c.fault) << c.what;
        ExpectResetState(list);
        EXPECT_EQ(list.Handle(), "");
        // The file readers say the same.
        EXPECT_FALSE(list.LoadFromFile(Write("bad.qrw", c.bytes)));
        EXPECT_EQ(list.LastFault(), c.fault) << c.what;
    }
    EXPECT_FALSE(list.LoadFromFile((dir / "missing.qrw").string()));
    EXPECT_EQ(list.LastFault(), CannotOpen);
    EXPECT_FALSE(list.LoadHeaderFromFile((dir / "missing.qrw").string()));
    EXPECT_EQ(list.LastFault(), CannotOpen);
    ASSERT_TRUE(Load(QuizFile(12)));
    EXPECT_EQ(list.LastFault(), None);
}

TEST_F(WordListFile, EveryTruncationFails) {
    for (uint16_t v : {1, 9, 12}) {
        const std::string whole = QuizFile(v);
        for (size_t n = 0; n < whole.size(); ++n) {
            ASSERT_FALSE(Load(whole.substr(0, n))) << "version " << v << ", " << n << " bytes";
            ASSERT_EQ(list.WordCount(), 0u);
        }
    }
    EXPECT_FALSE(list.LoadFromFile((dir / "missing.qrw").string()));
    EXPECT_FALSE(list.LastError().empty());
}

TEST_F(WordListFile, LevelsAreWrittenWithTheMembersTheyHold) {
    // Version 9 stores level 2 with count 2 but members 0 and 120; the bit for 120
    // does not exist, so the level is written back with its one real member.
    ASSERT_TRUE(Load(QuizFile(9)));
    TQRWordList back;
    TMemoryStream s(list.SaveToBytes());
    ASSERT_TRUE(back.LoadFromStream(s)) << back.LastError();
    EXPECT_EQ(back.Level(1)->Count(), 1);
    EXPECT_TRUE(back.Level(1)->Contains(0));
}

TEST_F(WordListFile, TooLongTextsAreRefusedNamingTheField) {
    list.SetListType(TListType::Vocabulary);
    list.AddWord("fine", 0);
    list.AddWord(std::string(256, 'x'), 0);
    const std::string path = Write("kept.qrw", "previous contents");
    try {
        list.SaveToFile(path);
        FAIL() << "saved a text of 256 bytes";
    } catch (const WordListException& e) {
        EXPECT_STREQ(e.what(), "The word list cannot be saved: word 2 is longer than 255 bytes.");
    }
    EXPECT_TRUE(list.Modified());
    std::ifstream in(path);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "previous contents");

    TQRWordList titled;
    titled.Reset();
    titled.AddTextLanguage("German");
    titled.SetTitleIn("German", std::string(300, 't'));
    EXPECT_THROW(
        {
            try {
                titled.SaveToBytes();
            } catch (const WordListException& e) {
                EXPECT_STREQ(
                    e.what(),
                    "The word list cannot be saved: the German title is longer than 255 bytes.");
                throw;
            }
        },
        WordListException);
}

TEST_F(WordListFile, SaveToFileWritesWhatLoadFromFileReads) {
    list.AddClueWord("Closest star", "Sun", 0);
    const std::string path = (dir / "stars.qrw").string();
    ASSERT_TRUE(list.SaveToFile(path));
    for (const auto& e : fs::directory_iterator(fs::path(path).parent_path()))
        EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos)
            << e.path(); // none left behind
    TQRWordList back;
    ASSERT_TRUE(back.LoadFromFile(path)) << back.LastError();
    EXPECT_EQ(back.Word(0), "Sun");
    auto bytes = ReadFileBytes(path);
    std::string body(bytes.begin(), bytes.end() - 4);
    TMemoryStream tail(std::string(bytes.end() - 4, bytes.end()));
    EXPECT_EQ(tail.ReadU32(), WordListChecksum(body));
}

TEST_F(WordListFile, ChecksumIsTheStandardCrc32) {
    EXPECT_EQ(WordListChecksum("abc"), 0x352441C2u);
    EXPECT_EQ(WordListChecksum(""), 0u);
}

TEST_F(WordListFile, BackupKeepsThePreviousFile) {
    EXPECT_EQ(BackupPath("lists/animals.qrw"), "lists/animals.bak");
    EXPECT_EQ(BackupPath("lists/animals"), "lists/animals.bak");
    EXPECT_EQ(BackupPath("my.lists/animals.v2.qrw"), "my.lists/animals.v2.bak");

    const std::string path = (dir / "animals.qrw").string();
    EXPECT_EQ(BackupBeforeSave(path), TBackupResult::NothingToKeep);
    Write("animals.qrw", "version zero");
    EXPECT_EQ(BackupBeforeSave(path), TBackupResult::Done); // the first backup
    Write("animals.qrw", "version one");
    Write("animals.bak", "older still");
    EXPECT_EQ(BackupBeforeSave(path), TBackupResult::Done);
    std::ifstream bak(dir / "animals.bak");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(bak), {}), "version one");
    EXPECT_TRUE(fs::exists(path));

    // A backup name that cannot be removed (a folder with content) stops the save.
    fs::remove(dir / "animals.bak");
    fs::create_directories(dir / "animals.bak" / "inside");
    EXPECT_EQ(BackupBeforeSave(path), TBackupResult::CannotDeleteBackup);
}

} // namespace
} // namespace qr
