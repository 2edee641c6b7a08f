// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box: the program's name and version, an invitation to the web site with a
// link that lights up under the mouse, and a line that changes every four seconds.
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QTimer;

namespace qr {

class TDlgAbout : public QDialog {
    Q_OBJECT
  public:
    static constexpr const char* kVersion = "1.5.0";
    static constexpr const char* kAddress = "https://quill-rush.sourceforge.io/";
    static constexpr int kFlashMs = 4000;

    explicit TDlgAbout(QWidget* parent = nullptr);

    // The rotating line: which of the three lines shows, and in which colour.
    int HomeOfIndex() const { return homeOf_; }
    QLabel* LinkLabel() const { return lblURL_; }
    QLabel* HomeOfLabel() const { return lblHomeOf_; }
    bool LinkHot() const { return hot_; }

    // Advances the rotating line as the timer does.
    void tmrFlashTimer();

    static QString HomeOfLine(int i);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void SetLinkHot(bool hot);
    void OpenLink();

    QLabel* lblURL_;
    QLabel* lblHomeOf_;
    QPushButton* cmdOK_;
    QTimer* tmrFlash_;
    int homeOf_ = 1;
    bool hot_ = false;
};

} // namespace qr
