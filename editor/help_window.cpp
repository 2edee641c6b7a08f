// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/help_window.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "editor/text_adapter.h"

namespace qr {

THelpWindow::THelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
    setObjectName("HelpWindow");
    browser_->setObjectName("txtHelp");
    browser_->setOpenExternalLinks(true);
    auto* buttons = new QDialogButtonBox(this);
    close_ = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    close_->setObjectName("cmdClose");
    connect(close_, &QPushButton::clicked, this, &QDialog::close);
    ApplyCaptions();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(buttons);
    resize(520, 440);
}

void THelpWindow::ApplyCaptions() {
    close_->setText(Caption(85).remove('&'));
}

void THelpWindow::ShowTopic(const QString& helpFile, int context) {
    file_ = helpFile;
    context_ = context;
    // The files are HTML whatever their extension says.
    QFile f(helpFile);
    if (f.open(QIODevice::ReadOnly)) {
        browser_->setSearchPaths({QFileInfo(helpFile).absolutePath()});
        browser_->setHtml(QString::fromUtf8(f.readAll()));
    } else {
        browser_->setPlainText(
            QStringLiteral("The help file \"%1\" cannot be read.").arg(helpFile));
    }
    if (context > 0)
        browser_->scrollToAnchor(QString::number(context));
    else
        browser_->moveCursor(QTextCursor::Start);
    setWindowTitle(browser_->documentTitle().isEmpty() ? PlainCaption(235)
                                                       : browser_->documentTitle());
    show();
    raise();
    activateWindow();
}

} // namespace qr
