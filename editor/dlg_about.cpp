// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/dlg_about.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <array>

#include "foundation/random.h"

namespace qr {

namespace {

// The colours the rotating line may take.
constexpr std::array<const char*, 6> kFlashColours = {"#000000", "#800000", "#000080",
                                                      "#ff0000", "#0000ff", "#008000"};

QLabel* Panel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet("QLabel { background: #ffff80; border: 1px solid #808000;"
                     " border-radius: 10px; padding: 6px; font-weight: bold; }");
    return l;
}

} // namespace

QString TDlgAbout::HomeOfLine(int i) {
    switch (i % 3) {
    case 0:
        return QStringLiteral("Home of Quill-Rush, the game that makes spelling a chase.");
    case 1:
        return QStringLiteral("Home of Word Garden, where every word grows a flower.");
    default:
        return QStringLiteral("Home of Number Nest, sums for early birds.");
    }
}

TDlgAbout::TDlgAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("DlgAbout");
    setWindowTitle(QStringLiteral("About QUARRY"));
    setMouseTracking(true);

    auto* lblProgram = new QLabel(QStringLiteral("QUARRY"), this);
    QFont big = lblProgram->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    lblProgram->setFont(big);
    auto* lblLine = new QLabel(QStringLiteral("The Quill-Rush Word-list Editor"), this);
    auto* picture = new QLabel(this);
    const QPixmap icon(QStringLiteral(":/quarry32.png"));
    if (!icon.isNull())
        picture->setPixmap(icon.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    auto* lblVersion = new QLabel(QStringLiteral("Version %1").arg(kVersion), this);
    lblVersion->setObjectName("lblVersion");

    lblURL_ = new QLabel(QString::fromLatin1(kAddress), this);
    lblURL_->setObjectName("lblURL");
    lblURL_->setCursor(Qt::PointingHandCursor);
    lblURL_->setMouseTracking(true);
    lblURL_->installEventFilter(this);
    lblURL_->setFrameShape(QFrame::NoFrame);
    lblURL_->setAlignment(Qt::AlignCenter);
    SetLinkHot(false);

    lblHomeOf_ = new QLabel(this);
    lblHomeOf_->setObjectName("lblHomeOf");
    lblHomeOf_->setAlignment(Qt::AlignCenter);
    lblHomeOf_->setWordWrap(true);
    lblHomeOf_->setText(HomeOfLine(homeOf_));

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);

    auto* head = new QHBoxLayout;
    head->addWidget(picture);
    auto* titles = new QVBoxLayout;
    titles->addWidget(lblProgram);
    titles->addWidget(lblLine);
    titles->addWidget(lblVersion);
    head->addLayout(titles, 1);
    auto* panels = new QHBoxLayout;
    panels->addWidget(Panel(QStringLiteral("Come by for a visit!"), this));
    panels->addWidget(Panel(QStringLiteral("Lots to see and do!"), this));
    auto* okRow = new QHBoxLayout;
    okRow->addStretch();
    okRow->addWidget(cmdOK_);
    okRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addLayout(panels);
    layout->addWidget(lblURL_);
    layout->addWidget(lblHomeOf_);
    layout->addLayout(okRow);
    setMinimumSize(427, 280);

    tmrFlash_ = new QTimer(this);
    tmrFlash_->setInterval(kFlashMs);
    connect(tmrFlash_, &QTimer::timeout, this, &TDlgAbout::tmrFlashTimer);
    tmrFlash_->start();
}

void TDlgAbout::tmrFlashTimer() {
    homeOf_ = (homeOf_ + 1) % 3;
    const char* colour = kFlashColours[size_t(GameRandom().Random(uint32_t(kFlashColours.size())))];
    lblHomeOf_->setText(HomeOfLine(homeOf_));
    lblHomeOf_->setStyleSheet(QStringLiteral("QLabel { color: %1; }").arg(colour));
}

void TDlgAbout::SetLinkHot(bool hot) {
    hot_ = hot;
    lblURL_->setStyleSheet(hot ? "QLabel { color: blue; font-weight: bold;"
                                 " text-decoration: underline; }"
                               : "QLabel { color: black; font-weight: bold; }");
}

void TDlgAbout::OpenLink() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kAddress)));
    QApplication::restoreOverrideCursor();
}

bool TDlgAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblURL_) {
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
            if (!hot_) SetLinkHot(true);
            // Not passed on: the box itself would take it for a move elsewhere.
            return event->type() == QEvent::MouseMove;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            OpenLink();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TDlgAbout::mouseMoveEvent(QMouseEvent* event) {
    // Anywhere else in the box the link cools down again.
    if (hot_) SetLinkHot(false);
    QDialog::mouseMoveEvent(event);
}

} // namespace qr
