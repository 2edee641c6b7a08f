// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editor_dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "editor/text_adapter.h"
#include "foundation/dlg_confirm.h"
#include "foundation/text_codec.h"

namespace qr {

int QtEditorDialogs::Confirm(const QString& title, const QString& text, int buttons) {
    // The shared dialog decides captions, roles, default and escape buttons; Qt shows them.
    const TDlgConfirm::Layout layout =
        TDlgConfirm::MakeLayout(ToBytes(title), ToBytes(text), buttons);
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent_);
    std::array<QPushButton*, 3> made{};
    for (size_t i = 0; i < layout.buttons.size(); ++i) {
        const auto& b = layout.buttons[i];
        if (!b.visible) continue;
        made[i] = box.addButton(FromBytes(b.caption), QMessageBox::ActionRole);
    }
    if (made[0]) box.setDefaultButton(made[0]);
    if (made[2]) box.setEscapeButton(made[2]);
    box.exec();
    for (size_t i = 0; i < made.size(); ++i)
        if (made[i] && box.clickedButton() == made[i]) return layout.buttons[i].result;
    return layout.EscapeResult();
}

void QtEditorDialogs::Message(const QString& title, const QString& text, MessageKind kind) {
    const QMessageBox::Icon icon = kind == MessageKind::Error     ? QMessageBox::Critical
                                   : kind == MessageKind::Warning ? QMessageBox::Warning
                                                                  : QMessageBox::Information;
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent_);
    box.addButton(Caption(13), QMessageBox::AcceptRole);
    box.exec();
}

int QtEditorDialogs::Choose(const QString& title, const QString& text, const QStringList& answers) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent_);
    std::vector<QPushButton*> made;
    for (const QString& a : answers)
        made.push_back(box.addButton(a, QMessageBox::ActionRole));
    // Escape answers nothing: the author is back where the question came from.
    QPushButton* cancel = box.addButton(Caption(9), QMessageBox::RejectRole);
    box.setEscapeButton(cancel);
    box.exec();
    for (size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i]) return int(i);
    return -1;
}

std::optional<QString> QtEditorDialogs::AskText(const QString& title, const QString& prompt,
                                                const QString& initial, bool password) {
    QInputDialog dlg(parent_);
    dlg.setWindowTitle(title);
    dlg.setLabelText(prompt);
    dlg.setTextValue(initial);
    dlg.setTextEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
    dlg.setOkButtonText(Caption(13));
    dlg.setCancelButtonText(Caption(9));
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.textValue();
}

QString QtEditorDialogs::ChooseFile(const FileDialogRequest& r) {
    QFileDialog dlg(parent_, r.title, r.folder, r.filter);
    dlg.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(r.defaultSuffix);
    dlg.setOption(QFileDialog::ReadOnly, !r.save);
    if (!r.fileName.isEmpty()) dlg.selectFile(r.fileName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}

} // namespace qr
