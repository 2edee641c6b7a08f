// SPDX-License-Identifier: GPL-3.0-or-later
// The rooms around a game: the start room with its settings and high scores, the
// initials room with its letter pad and keyboard, and the diploma. A small world with the
// real rooms, pictures in memory (each font a block of its own colour, so what was drawn
// in which font shows in the pixels) and word lists saved to a temporary folder.
#include <gtest/gtest.h>

#include <algorithm>

#include "foundation/dlg_confirm.h"
#include "foundation/polyglot.h"
#include "game/gameplay/diploma_room.h"
#include "game/gameplay/high_score_man.h"
#include "game/gameplay/initials_room.h"
#include "game/gameplay/start_room.h"
#include "game/world/pictures.h"
#include "game/world/tests/world_fixture.h"
#include "game/world/text_fit.h"
#include "graphics/font.h"
#include "test_support/temp_dir.h"
#include "wordlist/word_list.h"

namespace qr {
namespace {

using namespace test;

constexpr uint8_t kText = 40, kHigh = 41, kInfo = 42, kYellow = 43, kBig = 44;
constexpr uint8_t kSpeedIcon = 50, kCurrentSpeedIcon = 51, kDiplomaEng = 60, kDiplomaDeu = 61;

const char* const kScript = R"(BEGIN MODSTART
STARTROOM MODSTART Quill-Rush
PIC start
ROOMSCRIPTBOX CHANGENAME 505 54 88 30 NAMEBTN ACTION
ROOMSCRIPTBOX CLUELANG 16 262 198 26 CLUEBTN ACTION
ROOMSCRIPTBOX ANSLANG 216 262 198 26 ANSBTN ACTION
ROOMSCRIPTBOX ICONCLUES 16 294 198 26 ICONBTN ACTION
ROOMSCRIPTBOX QICONCLUES 16 294 198 26 ICONBTN ACTION
ROOMSCRIPTBOX INFO 216 294 198 26 INFOBTN GO
ROOMSCRIPTBOX CLEAR 16 328 198 26 CLEARBTN ACTION
ROOMSCRIPTBOX S1 230 333 18 18 SPEEDBTN ACTION
ROOMSCRIPTBOX S2 250 333 18 18 SPEEDBTN ACTION
ROOMSCRIPTBOX S3 270 333 18 18 SPEEDBTN ACTION
ROOMSCRIPTBOX GAMEMENU 16 362 198 30 MENUBTN OUT
ROOMSCRIPTBOX PLAYGAME 430 355 136 38 PLAYBTN GO
ROOMSCRIPTBOX MUSICBTN 574 376 22 20 MUSICBTN ACTION
FRAMESET MUSIC musicbtn 20 2 574 376 1
INITIALSROOM INITIALS Quill-Rush
PIC initials
CONTROLBOX LETTERPAD 50 130 500 195 PAD DYNAMIC1
ROOMSCRIPTBOX 0 218 30 47 72 CURLETTER ACTION
ROOMSCRIPTBOX 1 277 30 47 72 CURLETTER ACTION
ROOMSCRIPTBOX 2 336 30 47 72 CURLETTER ACTION
ROOMSCRIPTBOX OK 150 345 120 34 OKBTN ACTION
ROOMSCRIPTBOX CANCEL 330 345 120 34 CANCELBTN OUT
ROOMSCRIPTBOX MUSICBTN 574 376 22 20 MUSICBTN ACTION
FRAMESET 0 initcur 8 2 218 104 1
FRAMESET 1 initcur 8 2 277 104
FRAMESET 2 initcur 8 2 336 104
FRAMESET MUSIC musicbtn 20 2 574 376 1
DIPLOMAROOM DIPLOMA Quill-Rush
PIC diploma
ROOMSCRIPTBOX DONE 0 0 600 400 EXIT GO
ROOMSCRIPTBOX MUSICBTN 574 376 22 20 MUSICBTN ACTION
FRAMESET MUSIC musicbtn 20 2 574 376 1
ROOM PLAY Quill-Rush
ROOM HOME Quill-Rush
ROOM AUTHOR Quill-Rush
ROOM PICKLANG Quill-Rush
BACKBOX RETURN 30 358 140 32 OUT
)";

// Strings the rooms use, in a table of the working language; the standard language
// names 30-33 are English, French, German, Spanish.
void LoadStrings(const std::string& languageCode) {
    std::vector<std::string> lines(256, "s");
    lines[0] = "English";
    const std::pair<int, const char*> known[] = {{9, "Cancel"},
                                                 {13, "OK"},
                                                 {30, "English"},
                                                 {31, "French"},
                                                 {32, "German"},
                                                 {33, "Spanish"},
                                                 {150, "Best"},
                                                 {151, "Change"},
                                                 {152, "Clear"},
                                                 {155, "Clear scores"},
                                                 {156, "Really?"},
                                                 {157, "Vocabulary in %d levels"},
                                                 {160, "Anagrams in %d levels"},
                                                 {162, "Quiz in %d levels"},
                                                 {141, "Vocabulary in %d level"},
                                                 {142, "Anagrams in %d level"},
                                                 {143, "Quiz in %d level"},
                                                 {165, "Pictures"},
                                                 {170, "Clues in %s, answers in %s"},
                                                 {171, "pictures"},
                                                 {177, "Speed"},
                                                 {239, "Words in %s"},
                                                 {253, "Score"},
                                                 {254, "Levels"}};
    for (const auto& [n, text] : known)
        lines[size_t(n)] = text;
    lines[247] = languageCode;
    std::string bytes;
    for (const std::string& l : lines)
        bytes += l + "\n";
    Polyglot().LoadFromBytes(bytes);
}

// A font picture: every glyph cell is a block of the font's colour.
TPX8WriterImage FontPicture(const std::string& name, uint8_t colour) {
    return Picture(name, 1024, 512, colour);
}

class StartRoomsTest : public ::testing::Test, public WorldFixture {
  protected:
    void SetUp() override {
        RegisterGameFontMetrics();
        LoadStrings("eng");
        TPX8WriterImage comgfx = Picture("comgfx", 192, 200, 0);
        for (int32_t y = 106; y < 124; ++y)
            for (int32_t x = 18; x < 126; ++x)
                At(comgfx, x, y) = x < 72 ? kSpeedIcon : kCurrentSpeedIcon;
        std::vector<TPX8WriterImage> pictures = {Picture("start", 600, 400, 1),
                                                 Picture("initials", 600, 400, 2),
                                                 Picture("diploma", 600, 400, 3),
                                                 Picture("musicbtn", 22, 40, 4),
                                                 Picture("initcur", 47, 16, 5),
                                                 std::move(comgfx),
                                                 Picture("uwin_eng", 100, 50, kDiplomaEng),
                                                 Picture("uwin_deu", 80, 40, kDiplomaDeu),
                                                 FontPicture("04ab14bw", kText),
                                                 FontPicture("04ab14rw", kHigh),
                                                 FontPicture("04ab14uw", kInfo),
                                                 FontPicture("04ab14by", kYellow),
                                                 FontPicture("05ab48bw", kBig)};
        for (const char* special : {"abce14bw", "abce14rw", "abce14uw", "abce14by", "abce48bw"})
            pictures.push_back(Picture(special, 256, 128, 0));
        OpenPictures(library, std::move(pictures));
        TRoomFactory rooms = EngineRooms();
        AddStartRooms(rooms);
        LoadScript(world, kScript, rooms);
        world.SetHighScores(std::make_unique<THighScoreMan>(dir.Path("hiscores.dat")));
    }

    // Saves a list of the kind and loads it as the world's module.
    void LoadList(TListType type, bool icons, size_t levels = 2,
                  const std::string& title = "Beasts", const std::string& handle = "uvo") {
        TQRWordList list;
        list.SetListType(type);
        list.SetTitle(title);
        list.SetHandle(handle);
        list.SetPrimaryLanguage("French");
        if (type == TListType::Vocabulary) list.AddLanguage("Spanish");
        list.AddClueWord(type == TListType::Quiz ? "Miaow?" : "", "chat", 1);
        list.AddLevels(levels);
        list.SetUsesIconClues(icons);
        const std::string path = dir.Path("list.qrw");
        ASSERT_TRUE(list.SaveToFile(path));
        ASSERT_TRUE(world.LoadWordList(path));
    }

    void Click(int32_t x, int32_t y) {
        world.MouseDown(1, 0, x, y);
        world.MouseUp(x, y);
    }
    void ClickBox(const char* id) {
        THitBox* box = world.CurrentRoom()->FindHitBox(id);
        ASSERT_NE(box, nullptr) << id;
        ASSERT_FALSE(box->Disabled()) << id;
        Click(box->Rect().Left + 2, box->Rect().Top + 2);
    }
    std::string Room() const { return world.CurrentRoom() ? world.CurrentRoom()->GetID() : ""; }
    // How many pixels of the area show the colour.
    int Count(TRect area, uint8_t colour) {
        int n = 0;
        for (int32_t y = area.Top; y < area.Bottom; ++y)
            for (int32_t x = area.Left; x < area.Right; ++x)
                n += PixelAt(*world.WorkImage(), x, y) == colour;
        return n;
    }
    static TRect ScoreRow(int place) {
        const TPoint at = TStartRoom::ScorePlace(place);
        return TRect::FromOriginSize(at, 132, 23);
    }
    THighScoreMan& Scores() { return *world.HighScores(); }
    TStartRoom& Start() { return dynamic_cast<TStartRoom&>(*world.FindRoom("MODSTART")); }
    TInitialsRoom& Initials() { return dynamic_cast<TInitialsRoom&>(*world.FindRoom("INITIALS")); }

    TempDir dir;
};

TEST_F(StartRoomsTest, InitialsTypedAfterAGameEnterTheHighlightedPlace) {
    LoadList(TListType::Vocabulary, false);
    Scores().AddScore("OLD", 900);
    Scores().AddScore(world.Initials(), 500); // the game just played
    ASSERT_EQ(Scores().LastPlace(), 2);
    world.GoRoom("MODSTART");
    EXPECT_EQ(world.Caption(), "Quill-Rush - Beasts: list.qrw");
    EXPECT_GT(Count(ScoreRow(2), kHigh), 0) << "the new entry is highlighted";
    EXPECT_EQ(Count(ScoreRow(1), kHigh), 0);
    EXPECT_GT(Count(ScoreRow(1), kText), 0);

    ClickBox("CHANGENAME");
    ASSERT_EQ(Room(), "INITIALS");
    world.TextInput("kid");
    EXPECT_EQ(Initials().Initials(), "KID");
    EXPECT_EQ(Initials().CursorPos(), 0);
    world.KeyPress(kVkReturn);
    ASSERT_EQ(Room(), "MODSTART");
    EXPECT_EQ(world.Initials(), "KID");
    EXPECT_EQ(Scores().GetInitials(2), "KID");
    EXPECT_EQ(Scores().GetInitials(1), "OLD");
    EXPECT_GT(Count(ScoreRow(2), kHigh), 0);
    const std::vector<std::string> saved = THighScoreMan(dir.Path("hiscores.dat")).Lines();
    EXPECT_NE(std::find(saved.begin(), saved.end(), Scores().Lines()[size_t(Scores().Current())]),
              saved.end())
        << "saved at once";

    // Only a return from the initials room names an entry.
    Scores().AddScore("---", 700);
    world.SetInitials("ZZZ");
    world.GoRoom("HOME");
    world.GoRoom("MODSTART");
    EXPECT_EQ(Scores().GetInitials(2), "---");
}

// The child who sits down next and types initials before playing names nobody's entry:
// the last entry is forgotten when a game begins.
TEST_F(StartRoomsTest, InitialsTypedAfterANewGameBeganRenameNoEntry) {
    LoadList(TListType::Vocabulary, false);
    Scores().AddScore(world.Initials(), 500); // the previous child's game
    ASSERT_EQ(Scores().LastPlace(), 1);
    world.StartNewGame();
    EXPECT_EQ(Scores().LastPlace(), 0);
    world.GoRoom("MODSTART"); // the game ended without entering the table
    EXPECT_EQ(Count(ScoreRow(1), kHigh), 0) << "nothing highlighted";
    ClickBox("CHANGENAME");
    world.TextInput("new");
    world.KeyPress(kVkReturn);
    ASSERT_EQ(Room(), "MODSTART");
    EXPECT_EQ(world.Initials(), "NEW");
    EXPECT_EQ(Scores().GetInitials(1), "---") << "the previous child's entry keeps its name";
}

TEST_F(StartRoomsTest, TheDescriptionCountsOneLevelInTheSingular) {
    const struct {
        TListType type;
        size_t levels;
        const char* text;
    } cases[] = {
        {TListType::Vocabulary, 1, "Vocabulary in 1 level"},
        {TListType::Vocabulary, 2, "Vocabulary in 2 levels"},
        {TListType::Anagrams, 1, "Anagrams in 1 level"},
        {TListType::Quiz, 1, "Quiz in 1 level"},
        {TListType::Quiz, 3, "Quiz in 3 levels"},
        {TListType::Quiz, 0, "Quiz in 0 levels"},
    };
    for (const auto& c : cases) {
        LoadList(c.type, false, c.levels);
        world.GoRoom("MODSTART");
        const std::string text = Start().DescriptionText();
        EXPECT_EQ(text.substr(0, text.find("\\n")), c.text);
        world.GoRoom("HOME");
    }
}

TEST_F(StartRoomsTest, SwitchingIconCluesOrSpeedShowsAnotherTableAtOnce) {
    LoadList(TListType::Vocabulary, true);
    world.SetUseIcons(true);
    Scores().AddScore("ICO", 300);
    world.GoRoom("MODSTART");
    EXPECT_TRUE(Start().UseIcons());
    EXPECT_GT(Count(ScoreRow(1), kHigh), 0);

    ClickBox("ICONCLUES");
    EXPECT_FALSE(world.UseIcons());
    EXPECT_EQ(Scores().GetScore(1), 0) << "the table of text clues";
    EXPECT_EQ(Count(TStartRoom::kScoresArea, kHigh), 0) << "redrawn without the highlight";
    EXPECT_EQ(Start().LanguagePanelText(), "Clues in French, answers in Spanish");
    ClickBox("ICONCLUES");
    EXPECT_EQ(Scores().GetScore(1), 300);
    EXPECT_EQ(Start().LanguagePanelText(), "Clues in pictures, answers in Spanish");

    const TRect icons[3] = {{230, 333, 248, 351}, {250, 333, 268, 351}, {270, 333, 288, 351}};
    EXPECT_EQ(Count(icons[1], kCurrentSpeedIcon), 18 * 18) << "speed 2 at the start";
    ClickBox("S3");
    EXPECT_EQ(world.SpeedSetting(), 3);
    EXPECT_EQ(Scores().GetScore(1), 0) << "the table of speed 3";
    EXPECT_EQ(Count(icons[2], kCurrentSpeedIcon), 18 * 18);
    EXPECT_EQ(Count(icons[1], kSpeedIcon), 18 * 18);
    ClickBox("S2");
    EXPECT_EQ(Scores().GetScore(1), 300);
}

TEST_F(StartRoomsTest, OnlyVocabularyListsChooseLanguagesAndOnlyListsWithIconsPictures) {
    struct Case {
        TListType type;
        bool icons;
        bool clueAndAnswer, iconClues, quizIconClues;
        const char* panel;
    };
    const Case cases[] = {
        {TListType::Vocabulary, true, true, true, false, "Clues in pictures, answers in Spanish"},
        {TListType::Vocabulary, false, true, false, false, "Clues in French, answers in Spanish"},
        {TListType::Anagrams, false, false, false, false, "Words in French"},
        {TListType::Quiz, true, false, false, true, "Words in French"},
        {TListType::Quiz, false, false, false, false, "Words in French"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.type) * 10 + c.icons);
        LoadList(c.type, c.icons);
        world.GoRoom("HOME");
        world.GoRoom("MODSTART");
        TRoom& room = *world.CurrentRoom();
        EXPECT_EQ(!room.FindHitBox("CLUELANG")->Disabled(), c.clueAndAnswer);
        EXPECT_EQ(!room.FindHitBox("ANSLANG")->Disabled(), c.clueAndAnswer);
        EXPECT_EQ(!room.FindHitBox("ICONCLUES")->Disabled(), c.iconClues);
        EXPECT_EQ(!room.FindHitBox("QICONCLUES")->Disabled(), c.quizIconClues);
        EXPECT_EQ(Start().LanguagePanelText(), c.panel);
        // A button that cannot be used is veiled in grey; a usable one never is.
        const auto veiled = [&](const char* id) {
            return Count(room.FindHitBox(id)->Rect(), kDisabledVeilColour) > 0;
        };
        EXPECT_EQ(veiled("CLUELANG"), !c.clueAndAnswer);
        EXPECT_EQ(veiled("ANSLANG"), !c.clueAndAnswer);
        EXPECT_EQ(veiled("ICONCLUES"), !c.iconClues && !c.quizIconClues);
    }
}

// The language room learns which language it is to pick before the player arrives there,
// and the player comes back from it.
TEST_F(StartRoomsTest, LanguageButtonsSetTheLanguageRoomsModeAndComeBack) {
    LoadList(TListType::Vocabulary, false);
    world.SetLanguageChoiceMode(0);
    world.GoRoom("MODSTART");
    ClickBox("CLUELANG");
    ASSERT_EQ(Room(), "PICKLANG");
    EXPECT_EQ(world.LanguageChoiceMode(), 1);
    ClickBox("RETURN");
    ASSERT_EQ(Room(), "MODSTART");
    ClickBox("ANSLANG");
    ASSERT_EQ(Room(), "PICKLANG");
    EXPECT_EQ(world.LanguageChoiceMode(), 2);
    ClickBox("RETURN");
    EXPECT_EQ(Room(), "MODSTART");
}

TEST_F(StartRoomsTest, ClearingTheTableAsksFirst) {
    LoadList(TListType::Quiz, false);
    Scores().AddScore("ABC", 120);
    world.GoRoom("MODSTART");
    host.confirmAnswers = {TDlgConfirm::kResultNo, TDlgConfirm::kResultYes};
    ClickBox("CLEAR");
    ASSERT_EQ(host.confirms.size(), 1u);
    EXPECT_EQ(host.confirms[0], "Clear scores | Really? | 3");
    EXPECT_EQ(Scores().GetScore(1), 120) << "No keeps the table";
    EXPECT_GT(Count(ScoreRow(1), kHigh), 0);
    ClickBox("CLEAR");
    EXPECT_EQ(Scores().GetScore(1), 0);
    EXPECT_EQ(Scores().GetInitials(1), "---");
    EXPECT_EQ(Scores().LastPlace(), 0) << "a cleared table has no new entry";
    EXPECT_EQ(Count(TStartRoom::kScoresArea, kHigh), 0);
}

TEST_F(StartRoomsTest, ButtonsLeadToTheirRoomsAndPlayStartsAGame) {
    LoadList(TListType::Quiz, false);
    const std::pair<const char*, const char*> buttons[] = {
        {"INFO", "AUTHOR"}, {"GAMEMENU", "HOME"}, {"CHANGENAME", "INITIALS"}};
    for (const auto& [box, room] : buttons) {
        world.GoRoom("MODSTART");
        ClickBox(box);
        EXPECT_EQ(Room(), room) << box;
    }
    world.GoRoom("MODSTART");
    world.SetRunningScore(999);
    world.Lives().TakeLife();
    ClickBox("PLAYGAME");
    EXPECT_EQ(Room(), "PLAY");
    EXPECT_EQ(world.RunningScore(), 0);
    EXPECT_EQ(world.Lives().Count(), 5);
}

// The columns of the pixels of either colour in the area: {leftmost, rightmost + 1}, or
// {0, 0}.
std::pair<int32_t, int32_t> InkColumns(TPX8ImageData& image, TRect area, uint8_t colour,
                                       uint8_t other = 0) {
    int32_t left = area.Right, right = area.Left;
    for (int32_t y = area.Top; y < area.Bottom; ++y)
        for (int32_t x = area.Left; x < area.Right; ++x)
            if (const uint8_t c = PixelAt(image, x, y); c == colour || (other != 0 && c == other)) {
                left = std::min(left, x);
                right = std::max(right, x + 1);
            }
    return left < right ? std::pair{left, right} : std::pair{0, 0};
}

TEST_F(StartRoomsTest, WideInitialsStayWholeOnOneLineAndNarrowOnesKeepTheirPlace) {
    LoadList(TListType::Quiz, false);
    // Each glyph is drawn as a solid block of its font's colour: the blocks of a row span
    // exactly the text's width when every letter is on the row's one line.
    const std::vector<std::string> initials = {"WWW", "MMM", "\xC6\xD8\xC5", "TOM", "W\x8CW", "ABC",
                                               "---", "i",   "OOO",          "%%%"};
    for (size_t i = 0; i < initials.size(); ++i)
        Scores().AddScore(initials[i], int32_t(1000 - i));
    world.GoRoom("MODSTART");
    TPX8Font font(library, "04ab14bw", "abce14bw");
    for (int place = 1; place <= 10; ++place) {
        const std::string& text = Scores().GetInitials(place);
        SCOPED_TRACE(text);
        const TPoint at = TStartRoom::ScorePlace(place);
        // The row from the panel's left edge up to the score's first digit; the last entry
        // is highlighted.
        const TRect row{at.X - 10, at.Y, at.X + TStartRoom::kScoreColumnGap + 6, at.Y + 23};
        const auto [left, right] = InkColumns(*world.WorkImage(), row, kText, kHigh);
        const int32_t wide = font.TextWidth(text);
        EXPECT_EQ(right - left, wide);
        if (wide <= 40)
            EXPECT_EQ(left, at.X + (40 - wide) / 2) << "centred in the column as before";
        else
            EXPECT_GE(left, at.X) << "runs into the gap, not out of the panel";
    }
    EXPECT_TRUE(host.textCuts.empty()) << host.textCuts.front();
}

TEST_F(StartRoomsTest, ShortenedLinesKeepWholeCharactersAndEndInDots) {
    TPX8Font font(library, "04ab14uw", "abce14uw");
    const int32_t dots = font.TextWidth("...");
    struct Case {
        std::string text;
        int32_t width;
        std::string shown;
    };
    const Case cases[] = {
        {"Farm", font.TextWidth("Farm"), "Farm"},                    // fits exactly: unchanged
        {"Farm", font.TextWidth("Farm") - 1, "Fa..."},               // "Far..." is wider still
        {"Farm animals", font.TextWidth("Farm ") + dots, "Farm..."}, // no blank before the dots
        {"\x9C\x9C\x9C\x9C", font.TextWidth("\x9C\x9C") + dots, "\x9C\x9C..."},
        {"Farm", dots - 1, ".."}, // only as many dots as fit
        {"Farm", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " in " + std::to_string(c.width));
        const std::string shown = ShortenToWidth(font, c.text, c.width);
        EXPECT_EQ(shown, c.shown);
        EXPECT_LE(font.TextWidth(shown), c.width);
    }
}

TEST_F(StartRoomsTest, LongTitleAndHandleEndInDotsInsideTheirBoxes) {
    const std::string title = "Animals of the Farm and the Forest, Vol 2"; // 41 characters
    const std::string handle = "Mrs Wilhelmina Wigglesworth-Smythe";
    LoadList(TListType::Quiz, false, 2, title, handle);
    world.GoRoom("MODSTART");
    TPX8Font info(library, "04ab14uw", "abce14uw");
    struct Case {
        TRect box;
        const std::string& text;
        const char* where;
    };
    for (const Case& c : {Case{TStartRoom::kTitleBox, title, "TITLE"},
                          Case{TStartRoom::kHandleBox, handle, "HANDLE"}}) {
        SCOPED_TRACE(c.where);
        const std::string shown = ShortenToWidth(info, c.text, c.box.Width() - 8);
        ASSERT_NE(shown, c.text);
        EXPECT_EQ(shown.substr(shown.size() - 3), "...");
        const auto [left, right] = InkColumns(*world.WorkImage(), c.box, kInfo);
        EXPECT_EQ(right - left, info.TextWidth(shown)) << "one line, not left empty";
        EXPECT_GE(left, c.box.Left + 4);
        EXPECT_LE(right, c.box.Right - 4);
        EXPECT_NE(std::find(host.textCuts.begin(), host.textCuts.end(),
                            std::string("MODSTART ") + c.where + " " + shown + " (shortened)"),
                  host.textCuts.end());
    }
    // A title that fits stays where it was: centred, whole, unreported.
    host.textCuts.clear();
    LoadList(TListType::Quiz, false, 2, "Beasts");
    world.GoRoom("HOME");
    world.GoRoom("MODSTART");
    const auto [left, right] = InkColumns(*world.WorkImage(), TStartRoom::kTitleBox, kInfo);
    EXPECT_EQ(right - left, info.TextWidth("Beasts"));
    EXPECT_EQ(left, TStartRoom::kTitleBox.Left + (300 - info.TextWidth("Beasts")) / 2);
    EXPECT_TRUE(host.textCuts.empty());
}

TEST(LetterPad, PointsFallOnTheCharactersOfTheirRowOnly) {
    struct Case {
        int32_t x, y;
        int expected; // 0: no character
    };
    const Case cases[] = {{87, 0, 'A'},
                          {86, 0, 0},
                          {87 + 12 * 25 + 24, 38, 'M'},
                          {87 + 13 * 25, 0, 0}, // right of the last character of a short row
                          {87, 39, 'N'},
                          {50, 78, 192},
                          {50 + 15 * 25, 116, 207},
                          {50 + 16 * 25, 100, 0},
                          {62, 117, 208},
                          {62 + 7 * 25, 117, 216}, // no 215
                          {62 + 14 * 25, 155, 223},
                          {62 + 15 * 25, 155, 0},
                          {0, 156, '0'},
                          {19 * 25 + 24, 194, '/'},
                          {0, 195, 0},
                          {-1, 0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(int(LetterPadCharacter(c.x, c.y)), c.expected) << c.x << "," << c.y;
}

TEST_F(StartRoomsTest, PadClicksFillTheInitialsAndTheCursorComesBack) {
    world.SetInitials("JO");
    world.GoRoom("INITIALS");
    TInitialsRoom& room = Initials();
    EXPECT_EQ(room.Initials(), "JO ");
    const TPoint pad{50, 130};
    Click(pad.X + 87 + 2 * 25 + 3, pad.Y + 5);  // C
    Click(pad.X + 87 + 13 * 25 + 3, pad.Y + 5); // right of M: nothing
    EXPECT_EQ(room.CursorPos(), 1);
    Click(pad.X + 3, pad.Y + 4 * 39 + 3);       // 0
    Click(pad.X + 50 + 9 * 25, pad.Y + 2 * 39); // É
    EXPECT_EQ(room.Initials(), "C0\xC9");
    EXPECT_EQ(room.CursorPos(), 0);
    EXPECT_EQ(room.FrameSets().FindByID("0")->Frame(), 1);
    EXPECT_EQ(room.FrameSets().FindByID("2")->Frame(), 0);
    EXPECT_GT(Count(TInitialsRoom::kInitialBoxes[2], kBig), 0) << "the new initial is drawn";

    ClickBox("2");
    EXPECT_EQ(room.CursorPos(), 2);
    EXPECT_EQ(room.Initials(), "C0\xC9") << "choosing an initial changes no character";
    EXPECT_EQ(room.GetDynamicCursor("LETTERPAD", 87, 0), 1);
    EXPECT_EQ(room.GetDynamicCursor("LETTERPAD", 87 + 13 * 25, 0), 0);
}

TEST_F(StartRoomsTest, OkStoresThreeCharactersAndCancelKeepsTheOldInitials) {
    world.GoRoom("MODSTART");
    world.SetInitials("JO");
    world.GoRoom("INITIALS");
    world.TextInput("x");
    ClickBox("CANCEL");
    EXPECT_EQ(Room(), "MODSTART");
    EXPECT_EQ(world.Initials(), "JO");

    world.GoRoom("INITIALS");
    ClickBox("2");
    world.TextInput("\xE9"); // é
    ClickBox("OK");
    EXPECT_EQ(Room(), "MODSTART");
    EXPECT_EQ(world.Initials(), "JO\xC9");

    world.SetInitials("");
    EXPECT_EQ(world.Initials(), "---");
    world.GoRoom("INITIALS");
    world.TextInput("A");
    world.KeyPress(kVkReturn);
    EXPECT_EQ(world.Initials(), "A--");
    world.SetInitials("JO");
    world.GoRoom("INITIALS");
    world.KeyPress(kVkReturn);
    EXPECT_EQ(world.Initials(), "JO ") << "the blank is kept";
}

TEST_F(StartRoomsTest, TheKeyboardTypesWhatThePadOffers) {
    world.GoRoom("MODSTART");
    world.GoRoom("INITIALS");
    TInitialsRoom& room = Initials();
    world.TextInput("a@\xD7~"); // @, the multiplication sign and ~ are not on the pad
    EXPECT_EQ(room.Initials(), "A--");
    EXPECT_EQ(room.CursorPos(), 1);
    world.TextInput("\xDF"); // ß has no capital and is on the pad as it is
    world.KeyPress(kVkBack);
    EXPECT_EQ(room.CursorPos(), 1) << "Backspace moves back";
    world.TextInput("?");
    EXPECT_EQ(room.Initials(), "A?-");
    world.KeyPress(kVkRight);
    EXPECT_EQ(room.CursorPos(), 0) << "the cursor wraps round";
    world.KeyPress(kVkLeft);
    EXPECT_EQ(room.CursorPos(), 2);
    world.KeyPress(kVkEscape);
    EXPECT_EQ(Room(), "MODSTART");
    EXPECT_EQ(world.Initials(), "---");
}

TEST_F(StartRoomsTest, TheDiplomaShowsTheLanguagesPictureOrTheEnglishOne) {
    LoadList(TListType::Quiz, false);
    world.SetRunningScore(1234);
    struct Case {
        const char* code;
        const char* picture;
        uint8_t colour;
        TPoint inside; // a point the picture covers
    };
    const Case cases[] = {
        {"deu", "uwin_deu", kDiplomaDeu, {260, 117 + (163 - 40) / 2}},
        {"fra", "uwin_eng", kDiplomaEng, {250, 117 + (163 - 50) / 2}},
    };
    for (const Case& c : cases) {
        LoadStrings(c.code);
        world.GoRoom("DIPLOMA");
        auto& room = dynamic_cast<TDiplomaRoom&>(*world.CurrentRoom());
        EXPECT_EQ(room.PictureName(), c.picture);
        EXPECT_EQ(PixelAt(*world.WorkImage(), c.inside.X, c.inside.Y), c.colour) << c.code;
        EXPECT_EQ(PixelAt(*world.WorkImage(), c.inside.X - 1, c.inside.Y - 1), 3) << c.code;
        EXPECT_GT(Count({75, 72, 300, 90}, kHigh), 0) << "the title";
        EXPECT_GT(Count({75, 325, 525, 345}, kYellow), 0) << "the score";
        EXPECT_EQ(Count({526, 60, 600, 120}, kHigh), 0) << "levels and speed end at 525";
        world.GoRoom("HOME");
    }
    world.GoRoom("DIPLOMA");
    Click(300, 200);
    EXPECT_EQ(Room(), "MODSTART");
}

} // namespace
} // namespace qr
