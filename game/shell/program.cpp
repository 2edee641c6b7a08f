// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/program.h"

#include <filesystem>
#include <memory>
#include <unistd.h>

#include "foundation/polyglot.h"
#include "foundation/random.h"
#include "foundation/stream.h"
#include "foundation/utils.h"
#include "game/shell/game_strings.h"
#include "game/shell/working_language.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/language.h"
#include "platform/single_instance.h"
#include "platform/termination.h"

namespace qr {

namespace {

void ShowError(Dialogs& dialogs, const std::string& text) {
    dialogs.MessageBox(kAppTitle, text, DialogIcon::Error, Dialogs::Buttons::OK);
}

void ShowWarning(Dialogs& dialogs, const std::string& text) {
    dialogs.MessageBox(kAppTitle, text, DialogIcon::Warning, Dialogs::Buttons::OK);
}

// The first missing required file, or empty.
std::string MissingRequiredFile(const TFolders& f) {
    const std::string sounds = f.DatProgram() + "sounds";
    if (!FileExists(sounds + ".dat") && !FileExists(sounds + ".txt")) return sounds + ".dat";
    const std::string library = f.ImageLibraries() + LoadResString(kResGameLibrary);
    if (!FileExists(library)) return library;
    const std::string english = f.Strings() + "qr_eng.str";
    if (!FileExists(english)) return english;
    // Without its world script the game would show an empty frame and nothing else.
    const std::string world = f.DatProgram() + "init";
    if (!FileExists(world + ".dat") && !FileExists(world + ".txt")) return world + ".dat";
    return {};
}

} // namespace

int RunProgram(const ProgramOptions& options, TFormMain::Services services,
               const ProgramHooks& hooks) {
    RegisterGameResStrings();
    InstallTerminationHandlers();
    Dialogs& dialogs = services.dialogs;

    std::error_code ec;
    // Folder lookup, with the generator seeded just before it.
    if (options.seed)
        GameRandom().SetSeed(*options.seed);
    else
        GameRandom().Randomize();
    Registry registry(options.registryPath.empty() ? Registry::DefaultPath()
                                                   : options.registryPath);
    std::string programFolder =
        options.programFolder.empty() ? DefaultProgramFolder() : options.programFolder;
    programFolder = WithSeparator(std::filesystem::absolute(programFolder, ec).string());
    FolderLookup lookup = LookUpFolders(registry, programFolder);
    if (!lookup.error.empty()) {
        ShowError(dialogs, lookup.error);
        return kExitStartupFailed;
    }
    const TFolders& folders = lookup.folders;
    for (const std::string& warning : lookup.warnings)
        ShowWarning(dialogs, warning);

    // The program folder becomes the current directory.
    std::filesystem::current_path(folders.program, ec);

    // Colour depth: only exactly 1 and exactly 4 bits are refused or questioned.
    const int depth = services.system.ColourDepth();
    if (depth == 1) {
        ShowError(dialogs, LoadResString(kResMonochrome));
        return kExitStartupFailed;
    }
    if (depth == 4 &&
        dialogs.MessageBox(kAppTitle, LoadResString(kResSixteenColours), DialogIcon::Warning,
                           Dialogs::Buttons::YesNo) != DialogResult::Yes)
        return kExitStartupFailed;

    // One copy at a time: a second one ends without a word, after a knock on the running
    // copy's door.
    SingleInstance instance(kInstanceName, folders.installation);
    if (!instance.Acquire()) {
        if (!instance.Error().empty()) {
            ShowError(dialogs, instance.Error());
            return kExitStartupFailed;
        }
        instance.NotifyRunningCopy();
        return kExitAlreadyRunning;
    }
    // Saves of an earlier copy that was killed in the middle leave their temporary files.
    for (const std::string& folder :
         {folders.installation, folders.DatUser(), folders.Lists(),
          std::filesystem::path(registry.Path()).parent_path().string()})
        RemoveStaleTemporaries(folder);

    if (std::string missing = MissingRequiredFile(folders); !missing.empty()) {
        ShowError(dialogs, FormatMessage(LoadResString(kResMissingFile), {missing}));
        return kExitStartupFailed;
    }

    // Settings file and working language.
    IniFile ini(folders.IniFile());
    // Said once; the file is then left as it is (see TFormMain::FormDestroy).
    if (std::string problem = ini.Problem(); problem == "is read-only")
        ShowWarning(dialogs, FormatMessage("The settings file \"%s\" is read-only: the game "
                                           "uses it but does not save its settings there.",
                                           {ini.FileName()}));
    else if (!problem.empty())
        ShowWarning(dialogs, FormatMessage("The settings file \"%s\" %s. The game runs on its "
                                           "default settings and leaves the file as it is.",
                                           {ini.FileName(), problem}));
    const std::string wanted = ini.ReadString("Options", "Working language", "");
    const std::string code = AsciiLower(options.windowsLanguage.empty() ? SystemLanguageCode()
                                                                        : options.windowsLanguage);
    const std::string chosen = ChooseWorkingLanguage(folders.Strings(), wanted, code);
    try {
        Polyglot().Load(folders.Strings() + chosen);
    } catch (const std::exception& e) {
        ShowError(dialogs, std::string(kAppTitle) + kStartupProblem + e.what());
        return kExitStartupFailed;
    }

    TFormMain form(services, folders, ini, options.switches);
    try {
        if (hooks.prepare) hooks.prepare(form);
    } catch (const std::exception& e) {
        ShowError(dialogs, std::string(kAppTitle) + kStartupProblem + e.what());
        return kExitStartupFailed;
    }
    const bool started = form.FormCreate();
    if (started && hooks.run) hooks.run(form, [&instance] { return instance.PollWakeUp(); });
    form.FormDestroy();
    Polyglot().LoadFromBytes("");
    return started ? kExitOk : kExitStartupFailed;
}

} // namespace qr
