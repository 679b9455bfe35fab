#pragma once
// The about box: version, maker, web address and the live memory display.

#include <QDialog>

class QFrame;
class QLabel;
class QProgressBar;
class QTimer;

namespace orbel {

class TFormAbout : public QDialog {
    Q_OBJECT
public:
    TFormAbout();

    QFrame* PanelAbout;
    QLabel* ImageAboutLogo;
    QLabel* LabelVer;
    QLabel* LabelDis;
    QLabel* LabelCopy;
    QFrame* BevelAbout;
    QLabel* LabelUrl;
    QLabel* LabelMemTotal;
    QProgressBar* ProgressBarP;
    QTimer* TimerMem;

    void FormShow();
    void FormClose();
    void TimerMemTimer();
    void LabelUrlClick();
    // Reads the memory status and shows it.
    void RefreshMemory();

public slots:
    // Escape closes the box like its close box does.
    void reject() override { close(); }

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace orbel
