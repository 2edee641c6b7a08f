// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/hover_hint.h"

#include <QCursor>
#include <QEvent>
#include <QToolTip>
#include <QWidget>

namespace qr {

THoverHint::THoverHint(QWidget* control, int focusedMs, int otherMs)
    : QObject(control), control_(control), focusedMs_(focusedMs), otherMs_(otherMs) {
    setObjectName(control->objectName() + QStringLiteral("Hint"));
    timer_.setSingleShot(true);
    // A coarse timer may fire up to 5 % early: the pause is a promise in milliseconds.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &THoverHint::Show);
    control->installEventFilter(this);
}

bool THoverHint::eventFilter(QObject* watched, QEvent* event) {
    if (watched != control_) return false;
    switch (event->type()) {
    case QEvent::ToolTip:
        return true; // the style's own pause would show the hint a second time
    case QEvent::Enter:
        timer_.start(control_->hasFocus() ? focusedMs_ : otherMs_);
        break;
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::Hide:
    case QEvent::EnabledChange:
        timer_.stop();
        QToolTip::hideText();
        break;
    default:
        break;
    }
    return false;
}

void THoverHint::Show() {
    const QString text = control_->toolTip();
    if (text.isEmpty() || !control_->isVisible()) return;
    QToolTip::showText(QCursor::pos(), text, control_);
}

} // namespace qr
