// SPDX-License-Identifier: GPL-3.0-or-later
// quarry32: the Quill-Rush word-list editor.
#include <QApplication>
#include <QStringList>
#include <cstdio>

#include "editor/program.h"

int main(int argc, char** argv) {
    // The command line is read before Qt needs a display, so --help works anywhere.
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    qr::EditorOptions options;
    std::optional<int> exitNow;
    if (const auto error = qr::ParseEditorOptions(args, options, exitNow)) {
        std::fprintf(stderr, "quarry32: %s (see --help)\n", error->toLocal8Bit().constData());
        return qr::kEditorBadCommandLine;
    }
    if (exitNow) return *exitNow;
    QApplication app(argc, argv);
    return qr::RunEditor(options);
}
