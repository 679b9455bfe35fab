#pragma once
// The about box: version, maker, web address and the live memory display.

#include "app/dialogs/hand_layout.h"
#include "app/dialogs/orbel_dialog.h"
#include "app/services/services.h"

class QFrame;
class QLabel;
class QProgressBar;

namespace orbel {

class Clock;
class Timer;

class TFormAbout : public OrbelDialog {
    Q_OBJECT
public:
    // The title it carries, the clock its memory line runs on, and where it
    // reads the memory status and opens the web address.
    TFormAbout(const QString& title, Clock& clock, const Services& services);

    void setVersionLine(const QString& line);

    void FormShow();
    void FormClose();
    void TimerMemTimer();
    void LabelUrlClick();
    // Reads the memory status and shows it.
    void RefreshMemory();
    void fitTexts() override;

protected:
    void buildContents() override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* PanelAbout;
    QLabel* ImageAboutLogo;
    QLabel* LabelVer;
    QLabel* LabelDis;
    QLabel* LabelCopy;
    QFrame* BevelAbout;
    QLabel* LabelUrl;
    QLabel* LabelMemTotal;
    QProgressBar* ProgressBarP;
    Timer* TimerMem = nullptr;

    Clock& clock_;
    const Services& services_;
    QString versionLine_;
    HandLayout design_;
};

}  // namespace orbel
