// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor's start-up: folders, one running copy, the required files, the main window.
#include <QString>
#include <optional>
#include <string>

#include "platform/folders.h"

namespace qr {

inline constexpr const char* kEditorTitle = "Quill-Rush List Editor";
inline constexpr const char* kEditorInstance = "QUARRY32";

enum EditorExit {
    kEditorOK = 0,
    kEditorStartupFailed = 1,
    kEditorBadCommandLine = 2,
    kEditorHandedOver = 3
};

struct EditorOptions {
    std::string registryPath;  // empty: the default registry file
    std::string programFolder; // empty: found from the executable
    QString file;              // a word list to open
};

// Parses the command line; an error text when it is not understood. --help and
// --version print and give kEditorOK through `exitNow`.
std::optional<QString> ParseEditorOptions(const QStringList& args, EditorOptions& options,
                                          std::optional<int>& exitNow);

// The first required file that is missing ("str/qr_eng.str", "hlp/quarry_eng.hlp"), or
// empty. The help file may also come with the program's own data.
std::string MissingEditorFile(const TFolders& folders);

// The message for a missing required file.
QString MissingFileMessage(const std::string& path);

// Runs the editor inside an existing QApplication.
int RunEditor(const EditorOptions& options);

} // namespace qr
