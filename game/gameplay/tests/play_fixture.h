// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A stand-in for everything around the play room's rules: a clock with the room's timers
// (fired as the world fires them), a scripted animal, five lives and a word list built in
// memory. Tests play levels through it and read what was reported, sounded and repainted.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "foundation/polyglot.h"
#include "foundation/random.h"
#include "foundation/text_codec.h"
#include "game/gameplay/play_rules.h"
#include "game/world/room.h"
#include "wordlist/word_list.h"

namespace qr::testing {

class FakePlayHost : public TPlayHost {
  public:
    // --- timers, fired in the order they were armed, as the room fires them -----------
    void AddTimer(uint8_t kind, uint32_t ticks) override {
        timers.push_back({kind, clock + ticks, nextId++});
    }
    void ReplaceTimer(uint8_t kind, uint32_t ticks) override {
        RemoveTimer(kind);
        AddTimer(kind, ticks);
    }
    void RemoveTimer(uint8_t kind) override {
        auto it = std::find_if(timers.begin(), timers.end(),
                               [&](const Timer& t) { return t.kind == kind; });
        if (it != timers.end()) timers.erase(it);
    }
    void ClearTimers() override { timers.clear(); }
    int32_t TimeLeft(uint8_t kind) const override {
        for (const Timer& t : timers)
            if (t.kind == kind) return int32_t(t.due - clock);
        return -1;
    }
    void Tick() {
        ++clock;
        std::set<uint64_t> fired;
        for (;;) {
            auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) {
                return t.due <= clock && !fired.count(t.id);
            });
            if (it == timers.end() || !rules) return;
            const Timer t = *it;
            timers.erase(it);
            fired.insert(t.id);
            std::string name, argument;
            TimerScript(t.kind, clock - t.due, name, argument);
            rules->RunScript(name, argument);
            if (roomLeft) return;
        }
    }

    // --- sounds --------------------------------------------------------------------
    void PlaySound(int n) override { sounds.push_back(n); }
    void LoopSound(int n) override { looping.insert(n); }
    void StopSound(int n) override { looping.erase(n); }

    // --- world ---------------------------------------------------------------------
    TQRWordList& WordList() override { return list; }
    TPlaySettings Settings() const override { return settings; }
    int32_t RunningScore() const override { return runningScore; }
    void SetRunningScore(int32_t s) override { runningScore = s; }
    int Lives() const override { return lives; }
    std::unique_ptr<TDyingLife> TakeLife() override {
        if (lives <= 0) return nullptr;
        --lives;
        auto life = std::make_unique<TDyingLife>();
        life->Pos = {317 + 12 * lives, 364};
        return life;
    }
    void AddLife() override {
        if (lives < 5) ++lives;
    }
    void FidgetLives() override { ++fidgets; }
    bool WentIdle() const override { return idle; }
    void GoRoom(const std::string& id) override {
        room = id;
        roomLeft = true;
        timers.clear();
    }
    void EnterHighScore(int32_t score) override { highScores.push_back(score); }
    void QuitProgram() override { quitProgram = true; }
    bool ShiftDown() const override { return shift; }
    bool CtrlDown() const override { return ctrl; }
    bool IsCurrentRoom() const override { return true; }
    void OpenLink(bool email) override { links.push_back(email); }
    void PrepareRoom() override {}
    void CreateAnimal() override {}
    void ShowSoundAndCaption() override {}

    // --- the animal: scene lengths in steps; scene 2 lasts until released ------------
    bool StartScene(int n) override {
        released = false;
        scene = n;
        step = 0;
        return sceneLength[size_t(n)] != 0;
    }
    bool StepAnimal() override {
        if (sceneLength[size_t(scene)] == 0) return false;
        if (scene == 2) return !released;
        return ++step < sceneLength[size_t(scene)];
    }
    bool SceneIsEmpty(int n) const override { return sceneLength[size_t(n)] == 0; }
    void ReleaseAnimal() override { released = true; }
    void RepaintAnimal() override {}

    // --- board ---------------------------------------------------------------------
    void SetRowBox(int row, TRect rect) override { rowBoxes[size_t(row)] = rect; }
    int32_t ClueTextWidth(const std::string& text) override {
        return int32_t(text.size()) * clueCharWidth;
    }
    void BuildIconStrip(const std::array<int32_t, 6>& icons) override { iconStrip = icons; }
    void BuildLetterCard(uint8_t letter, int showCount) override {
        cards.push_back({letter, showCount});
    }
    void MeshLetterCard() override { ++meshes; }
    void RepaintCell(int row, int col) override { cellPaints.push_back({row, col}); }
    void RepaintRect(TRect) override {}
    void RepaintAll() override {}
    void RepaintLives() override {}
    void DrawScore() override { ++scoreDraws; }
    std::unique_ptr<TSpritePicture> MakePopup(const std::string& text, int style,
                                              int32_t& width) override {
        width = int32_t(text.size()) * 7 + 8;
        popupStyles.push_back(style);
        return nullptr;
    }
    void EnableHitBox(const std::string& id, bool enabled) override { boxes[id] = enabled; }
    int Frame(const std::string& set) const override {
        auto it = frames.find(set);
        return it == frames.end() ? 0 : it->second;
    }
    void SetFrame(const std::string& set, int frame) override { frames[set] = frame; }
    void SetWaveSound(bool on) override { waveOn = on; }
    void DrawHelpPage(int page) override { helpPages.push_back(page); }
    TPoint ScreenSize() const override { return {600, 400}; }
    void Report(const std::string& line) override { reports.push_back(line); }

    struct Timer {
        uint8_t kind;
        uint32_t due;
        uint64_t id;
    };
    TPlayRules* rules = nullptr;
    uint32_t clock = 1000;
    uint64_t nextId = 0;
    std::vector<Timer> timers;
    std::vector<int> sounds;
    std::set<int> looping;
    TQRWordList list;
    TPlaySettings settings;
    int32_t runningScore = 0;
    int lives = 5;
    int fidgets = 0;
    bool idle = true;
    std::string room;
    bool roomLeft = false;
    std::vector<int32_t> highScores;
    bool quitProgram = false;
    bool shift = false;
    bool ctrl = false;
    std::vector<bool> links;
    std::array<int, 7> sceneLength{40, 3, -1, 3, 3, 0, 3};
    int scene = 0;
    int step = 0;
    bool released = false;
    std::array<TRect, 6> rowBoxes{};
    int32_t clueCharWidth = 7;
    std::array<int32_t, 6> iconStrip{};
    std::vector<std::pair<uint8_t, int>> cards;
    int meshes = 0;
    std::vector<std::pair<int, int>> cellPaints;
    int scoreDraws = 0;
    std::vector<int> popupStyles;
    std::map<std::string, bool> boxes;
    std::map<std::string, int> frames;
    bool waveOn = true;
    std::vector<int> helpPages;
    std::vector<std::string> reports;
};

class PlayRulesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Polyglot().Load(std::string(QR_SOURCE_DIR) + "/shared/wordlist/tests/fixtures/qr_test.str");
        host.list.SetNameLanguage("English");
        host.list.Reset();
        while (host.list.LevelCount() > 0)
            host.list.DeleteLevel(0);
        host.rules = &rules;
        GameRandom().SetSeed(7);
    }

    // A quiz level whose five rows are exactly these answers (order of rows is the word
    // list's choice, so tests look rows up by answer).
    void AddLevel(const std::vector<std::string>& answers, const std::string& name = "") {
        const size_t level = host.list.LevelCount();
        host.list.AddLevels(1);
        host.list.Level(level)->Include(int(level));
        host.list.SetLevelName(level, name.empty() ? "Level" + std::to_string(level) : name);
        for (const std::string& a : answers)
            host.list.AddClueWord("clue of " + a, a, uint8_t(level));
    }

    // The world clears the timers of the room it leaves, and re-enters it for each level.
    void Enter() {
        host.timers.clear();
        host.roomLeft = false;
        host.room.clear();
        rules.Enter();
    }
    void Tick(int n = 1) {
        for (int i = 0; i < n && !host.roomLeft; ++i)
            host.Tick();
    }
    // Ticks until a card is held up (scene 2 in play with a shown card); false when the
    // level or the visit ends first.
    bool UntilCardUp(int maxTicks = 2000) {
        for (int i = 0; i < maxTicks && !host.roomLeft; ++i) {
            if (rules.Mode == kModePlaying && rules.Scene == 2 && !rules.LetterQueue.empty() &&
                rules.ShowCounts[uint8_t(rules.LetterQueue[0])] > 0)
                return true;
            host.Tick();
        }
        return false;
    }
    int Row(const std::string& answer) const {
        for (int r = 1; r <= 5; ++r)
            if (rules.Answers[size_t(r)] == answer) return r;
        ADD_FAILURE() << "no row " << answer;
        return 1;
    }
    // Box-relative point inside cell col.
    static int32_t CellX(int col) { return (col - 1) * board::kCellPitch + 5; }
    // A hidden cell holding the letter (lower case), or {0, 0}.
    std::pair<int, int> HiddenCell(uint8_t letter, bool holding = true) const {
        for (int r = 1; r <= 5; ++r)
            for (size_t i = 0; i < rules.Answers[size_t(r)].size(); ++i)
                if (rules.Marks[size_t(r)][i] == ' ' &&
                    (LowerChar(uint8_t(rules.Answers[size_t(r)][i])) == letter) == holding)
                    return {r, int(i) + 1};
        return {0, 0};
    }
    bool ClickLetter(uint8_t letter) {
        auto [r, c] = HiddenCell(letter);
        return r != 0 && rules.CellClick(r, CellX(c), 5);
    }
    bool ClickWrong() {
        auto [r, c] =
            HiddenCell(rules.LetterQueue.empty() ? 0 : uint8_t(rules.LetterQueue[0]), false);
        return r != 0 && rules.CellClick(r, CellX(c), 5);
    }
    // Plays the current level by clicking every card right away; returns when the visit
    // ends (the world was asked to switch rooms).
    void PlayLevelPerfectly(int maxTicks = 20000) {
        for (int i = 0; i < maxTicks && !host.roomLeft; ++i) {
            if (rules.Mode == kModePlaying && rules.Scene == 2 && !rules.LetterQueue.empty() &&
                rules.ShowCounts[uint8_t(rules.LetterQueue[0])] > 0)
                ClickLetter(uint8_t(rules.LetterQueue[0]));
            host.Tick();
        }
        ASSERT_TRUE(host.roomLeft) << "the level did not end";
    }
    std::vector<std::string> ReportsStartingWith(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& line : host.reports)
            if (line.rfind(prefix, 0) == 0) out.push_back(line);
        return out;
    }

    FakePlayHost host;
    TPlayRules rules{host};
};

} // namespace qr::testing
