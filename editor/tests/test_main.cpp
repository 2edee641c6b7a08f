// SPDX-License-Identifier: GPL-3.0-or-later
// One binary for the editor's Qt tests; each group runs in turn.
#include <QApplication>

int RunStartupTests(int argc, char** argv);
int RunWizardTests(int argc, char** argv);
int RunEntryRulesTests(int argc, char** argv);
int RunWordPagesTests(int argc, char** argv);
int RunModuleEndToEndTests(int argc, char** argv);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failed = 0;
    failed += RunStartupTests(argc, argv);
    failed += RunWizardTests(argc, argv);
    failed += RunEntryRulesTests(argc, argv);
    failed += RunWordPagesTests(argc, argv);
    failed += RunModuleEndToEndTests(argc, argv);
    return failed ? 1 : 0;
}
