// SPDX-License-Identifier: GPL-3.0-or-later
// Around the main window: working languages, settings, text conversion, the hand-over
// to a running copy, the required files, the About box.
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

#include "editor/dlg_about.h"
#include "editor/editor_settings.h"
#include "editor/instance_link.h"
#include "editor/program.h"
#include "editor/text_adapter.h"
#include "editor/working_languages.h"
#include "foundation/polyglot.h"
#include "platform/ini_file.h"
#include "test_support/temp_dir.h"

namespace qr::test {

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void fifteenStringFilesGiveFourteenLanguages();
    void languageWithoutHelpFileUsesEnglish();
    void buttonLayoutForManyLanguages_data();
    void buttonLayoutForManyLanguages();
    void settingsKeepTheGamesKeys();
    void textConversionAtTheEdge();
    void secondCopyHandsItsFileOver();
    void requiredFiles();
    void commandLine();
    void aboutBoxRotatesAndLightsTheLink();
};

namespace {
std::string StringFile(const std::string& name, const std::string& code) {
    return name + "\n&" + name + "\n" + code + "\n" + name + " - work in " + name + "\n";
}
} // namespace

void StartupTest::fifteenStringFilesGiveFourteenLanguages() {
    TempDir dir;
    for (int i = 0; i < 15; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "qr_l%02d.str", i);
        dir.Write(std::string("str/") + name, StringFile("Lang" + std::to_string(i), "x"));
    }
    dir.Write("hlp/.keep", "");
    const auto langs = BuildWorkingLanguages(dir.Path("str") + "/", dir.Path("hlp") + "/");
    QCOMPARE(langs.size(), size_t(14));
    // In directory order; entry 1 for the menu and 3 for the button.
    QCOMPARE(langs[0].name, std::string("Lang0"));
    QCOMPARE(langs[13].name, std::string("Lang13"));
    QCOMPARE(langs[2].menuCaption, std::string("&Lang2"));
    QCOMPARE(langs[2].buttonCaption, std::string("Lang2 - work in Lang2"));
    QCOMPARE(FindWorkingLanguage(langs, "Lang14"), -1);
}

void StartupTest::languageWithoutHelpFileUsesEnglish() {
    TempDir dir;
    dir.Write("str/qr_eng.str", StringFile("English", "enu"));
    dir.Write("str/qr_ita.str", StringFile("Italiano", "ita"));
    dir.Write("str/QR_DEU.STR", StringFile("Deutsch", "deu"));
    dir.Write("hlp/quarry_eng.hlp", "<p>English</p>");
    dir.Write("hlp/Quarry_Deu.hlp", "<p>Deutsch</p>");
    const std::string hlp = dir.Path("hlp") + "/";
    const auto langs = BuildWorkingLanguages(dir.Path("str") + "/", hlp);
    QCOMPARE(langs.size(), size_t(3));
    const int it = FindWorkingLanguage(langs, "Italiano");
    const int de = FindWorkingLanguage(langs, "Deutsch");
    QVERIFY(langs[size_t(it)].helpFile.empty());
    QCOMPARE(HelpFileFor(langs[size_t(it)], hlp), hlp + "quarry_eng.hlp");
    // File names match whatever their case, as the files were written for.
    QCOMPARE(HelpFileFor(langs[size_t(de)], hlp), hlp + "Quarry_Deu.hlp");
    QCOMPARE(HelpFileName("qr_eng.str"), std::string("quarry_eng.hlp"));
}

void StartupTest::buttonLayoutForManyLanguages_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("pitch");
    QTest::addColumn<bool>("welcome");
    QTest::addColumn<bool>("rearranged");
    QTest::newRow("3") << 3 << 20 << true << false;
    QTest::newRow("8") << 8 << 20 << true << true;
    QTest::newRow("10") << 10 << 20 << true << true;
    QTest::newRow("11") << 11 << 17 << true << true;
    QTest::newRow("12") << 12 << 17 << true << true;
    QTest::newRow("13") << 13 << 17 << false << true;
}

void StartupTest::buttonLayoutForManyLanguages() {
    QFETCH(int, count);
    const TLanguageButtonLayout l = LanguageButtonLayout(size_t(count));
    QTEST(l.pitch, "pitch");
    QTEST(l.welcomeVisible, "welcome");
    QTEST(l.rearranged, "rearranged");
}

void StartupTest::settingsKeepTheGamesKeys() {
    TempDir dir;
    const std::string path =
        dir.Write("quilrush.ini", "[Options]\nSound=0\nWorking language=English\n"
                                  "[Identity]\nCurrent player=ABC\n");
    TEditorSettings editor(path);
    IniFile game(path);
    QCOMPARE(editor.WordListPath(), std::string());
    QVERIFY(!editor.ExtendedSelect());
    // Writes interleaved with the game's: each program keeps the other's keys.
    editor.SetMoreLanguages({"Klingon", "Old Norse"});
    game.WriteString("Options", "Music", "1");
    editor.SetAuthorLines({"line one"});
    editor.SetHandle("Ann");
    editor.SetExtendedSelect(true);
    QCOMPARE(game.ReadString("Options", "Sound", ""), std::string("0"));
    QCOMPARE(game.ReadString("Identity", "Current player", ""), std::string("ABC"));
    QCOMPARE(editor.MoreLanguages(), (std::vector<std::string>{"Klingon", "Old Norse"}));
    QCOMPARE(editor.AuthorLines(), std::vector<std::string>{"line one"});
    QCOMPARE(editor.Handle(), std::string("Ann"));
    QVERIFY(editor.ExtendedSelect());
    QCOMPARE(game.ReadString("Options", "Music", ""), std::string("1"));
    // Fewer languages later: the section is replaced, not merged.
    editor.SetMoreLanguages({"Klingon"});
    QCOMPARE(game.ReadString("More languages", "Language 2", "gone"), std::string("gone"));
    // A damaged count reads no further than the keys that are there.
    game.WriteString("More languages", "Language count", "2147483647");
    QCOMPARE(editor.MoreLanguages(), std::vector<std::string>{"Klingon"});
}

void StartupTest::textConversionAtTheEdge() {
    // ">" + key is the special letter; an unknown key stays as typed.
    QCOMPARE(ToStored(QString(">a and >x  ")), std::string("\x81 and >x"));
    QCOMPARE(ToDisplay("\x81 and >x"), QString(">a and >x"));
    // The special letter itself (as the game's fonts draw it) is stored the same way.
    const QString itself = FromBytes("\x81");
    QCOMPARE(ToStored(itself), std::string("\x81"));
    QVERIFY(!UnshowableCharacter(QString::fromUtf8("Gr\xC3\xBC\xC3\x9F Gott") + itself));
    QCOMPARE(*UnshowableCharacter(QString::fromUtf8("ok \xE4\xB8\xAD!")), char32_t(0x4E2D));
    // The refusal names the character, in the working language's words.
    Polyglot().Load(QR_DATA_DIR "/str/qr_eng.str");
    QVERIFY(UnshowableMessage(0x4E2D).contains("U+4E2D"));
    // Windows-1252 letters pass through both ways.
    QCOMPARE(ToStored(QString::fromUtf8("\xC3\xA9t\xC3\xA9")), std::string("\xE9t\xE9"));
}

void StartupTest::secondCopyHandsItsFileOver() {
    TempDir dir;
    const QString name = TInstanceLink::ServerName(QString::fromStdString(dir.Path()));
    TInstanceLink running;
    QVERIFY(running.Listen(name));
    QSignalSpy spy(&running, &TInstanceLink::ArgumentsReceived);
    // The second copy blocks while it writes; the running one answers from its loop.
    QTimer::singleShot(
        0, [name] { QVERIFY(TInstanceLink::SendToRunning(name, {"/home/ann/lists/farm.qrw"})); });
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.at(0).at(0).toStringList(), QStringList{"/home/ann/lists/farm.qrw"});
    // Nobody listening: the second copy is told so and does not hang.
    QVERIFY(!TInstanceLink::SendToRunning(name + ".none", {}));
}

void StartupTest::requiredFiles() {
    TempDir dir;
    TFolders f;
    f.installation = dir.Path("inst") + "/";
    f.program = dir.Path("prog") + "/";
    QCOMPARE(MissingEditorFile(f), f.program + "str/qr_eng.str");
    dir.Write("prog/str/qr_eng.str", "English\n");
    QCOMPARE(MissingEditorFile(f), f.installation + "hlp/quarry_eng.hlp");
    QCOMPARE(MissingFileMessage(f.installation + "hlp/quarry_eng.hlp"),
             QString::fromStdString("Sorry! We cannot find the needed file \"" + f.installation +
                                    "hlp/quarry_eng.hlp\""));
    // The help shipped with the program serves an installation that has none yet.
    dir.Write("prog/hlp/quarry_eng.hlp", "<p/>");
    QCOMPARE(MissingEditorFile(f), std::string());
}

void StartupTest::commandLine() {
    EditorOptions o;
    std::optional<int> exitNow;
    QVERIFY(!ParseEditorOptions({"quarry32", "--registry", "/r.ini", "farm.qrw"}, o, exitNow));
    QCOMPARE(o.registryPath, std::string("/r.ini"));
    QVERIFY(o.file.endsWith("/farm.qrw") && QFileInfo(o.file).isAbsolute());
    QVERIFY(!exitNow);
    EditorOptions o2;
    QVERIFY(ParseEditorOptions({"quarry32", "--registry"}, o2, exitNow));
    QVERIFY(ParseEditorOptions({"quarry32", "--frobnicate"}, o2, exitNow));
    QVERIFY(ParseEditorOptions({"quarry32", "a.qrw", "b.qrw"}, o2, exitNow));
}

void StartupTest::aboutBoxRotatesAndLightsTheLink() {
    TDlgAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.HomeOfIndex(), 1);
    const QString second = about.HomeOfLabel()->text();
    about.tmrFlashTimer();
    about.tmrFlashTimer();
    QCOMPARE(about.HomeOfIndex(), 0);
    about.tmrFlashTimer();
    QCOMPARE(about.HomeOfLabel()->text(), second);
    QVERIFY(TDlgAbout::HomeOfLine(0) != TDlgAbout::HomeOfLine(2));
    QVERIFY(!about.LinkHot());
    QTest::mouseMove(about.LinkLabel());
    QVERIFY(about.LinkHot());
    QVERIFY(about.LinkLabel()->styleSheet().contains("underline"));
    QTest::mouseMove(&about, QPoint(2, 2));
    QVERIFY(!about.LinkHot());
}

} // namespace qr::test

int RunStartupTests(int argc, char** argv) {
    qr::test::StartupTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "startup_test.moc"
