// SPDX-License-Identifier: GPL-3.0-or-later
// quarry32: the Quill-Rush word-list editor.
#include <QApplication>
#include <QStringList>
#include <cstdio>

#include "editor/program.h"
#include "foundation/command_line.h"

int main(int argc, char** argv) {
    // The command line is read before Qt needs a display, so --help works anywhere.
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    qr::EditorOptions options;
    std::optional<int> exitNow;
    if (const auto error = qr::ParseEditorOptions(args, options, exitNow)) {
        std::fprintf(
            stderr,
            "quarry32: %s\nUsage: quarry32 [OPTIONS] [FILE.qrw] (quarry32 --help tells more)\n",
            qr::Printable(error->toStdString()).c_str());
        return qr::kEditorBadCommandLine;
    }
    if (exitNow) return *exitNow;
    QApplication app(argc, argv);
    return qr::RunEditor(options);
}
