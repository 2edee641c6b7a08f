// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QTimer>

class QWidget;

namespace qr {

// A control's hint on a pause of its own instead of the style's tooltip delay: the
// pointer has to rest on the control for `focusedMs` while the control has the keyboard
// focus and for `otherMs` otherwise. The hint text is the control's tool tip.
class THoverHint : public QObject {
    Q_OBJECT
  public:
    THoverHint(QWidget* control, int focusedMs, int otherMs);
    // The pause now running before the hint shows, -1 when none is.
    int PendingDelay() const { return timer_.isActive() ? timer_.interval() : -1; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Show();

    QWidget* control_;
    QTimer timer_;
    int focusedMs_, otherMs_;
};

} // namespace qr
