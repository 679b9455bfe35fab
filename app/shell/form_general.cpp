#include "app/shell/form_general.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QStatusTipEvent>
#include <QStatusBar>
#include <QTimer>

#include "app/manager/form_items.h"
#include "app/services/notice.h"
#include "app/shell/program.h"
#include "app/store/image_lists.h"
#include "app/tray/menu_publishing.h"
#include "app/widgets/sys_tray_icon.h"
#include "core/shell/error_log.h"
#include "core/shell/texts.h"
#include "platform/sound.h"
#include "platform/system_info.h"

namespace orbel {

TApplicationEvents::TApplicationEvents(QObject* parent) : QObject(parent) {
    setObjectName("AEGeneral");
    qApp->installEventFilter(this);
}

bool TApplicationEvents::eventFilter(QObject* watched, QEvent* event) {
    // Status tips stand for the hints of the controls under the pointer.
    if (event->type() == QEvent::StatusTip && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        // Deliver each tip once, from the widget it is raised on.
        if (!w->parentWidget() || w->isWindow() || w->statusTip().size())
            emit OnHint(static_cast<QStatusTipEvent*>(event)->tip());
    }
    return QObject::eventFilter(watched, event);
}

TFormGeneral::TFormGeneral(Program& program) : program_(program) {
    setObjectName("TFormGeneral");
    setAttribute(Qt::WA_DontShowOnScreen);
    CSystrayGen = new TSysTrayIcon(this);
    CSystrayGen->setObjectName("CSystrayGen");
    // As stored with the form: mouse off, no hint, left popup, the tray picture.
    CSystrayGen->setEnabled(false);
    CSystrayGen->setShowHint(false);
    CSystrayGen->setLeftPopup(true);
    CSystrayGen->setCycleInterval(0);
    CSystrayGen->setIcon(ImageLists::ProgramIcon());
    CSystrayGen->setTitle(QString::fromUtf8(texts::ProductName));
    // Hosts that draw the menu themselves get it over D-Bus, gated like the popup.
    trayMenuExport = PublishTrayMenu(CSystrayGen, this);
    connect(CSystrayGen, &TSysTrayIcon::trayAvailabilityChanged, this, [this](bool available) {
        if (available && noTrayBox_) noTrayBox_->close();
    });
    // A host that draws the menu itself (GNOME on Wayland) asks on a double
    // press: there the find window is the program's own way to its items.
    connect(CSystrayGen, &TSysTrayIcon::hostActivated, this, [this] { program_.ShowFind(QString()); });
    CSystrayGen->Loaded();
    AEGeneral = new TApplicationEvents(this);
    connect(AEGeneral, &TApplicationEvents::OnHint, this, &TFormGeneral::AEGeneralHint);
    MPAudioGen = std::make_unique<platform::WavePlayer>();
    MPAudioGen->setFailureHandler([this](const std::string& file) {
        try {
            WriteErrorLog("Can't play \"" + QString::fromStdString(file) + "\"");
        } catch (...) {
            // As in PlaySystemSound: a sound, even an unlogged one, never
            // ends the program.
        }
    });
}

TFormGeneral::~TFormGeneral() = default;

void TFormGeneral::WatchForTray() {
    // Nobody could read the box without a screen.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return;
    // A panel started with the session may come a moment after the program.
    QTimer::singleShot(3000, this, [this] {
        if (!CSystrayGen->trayAvailable()) ShowNoTrayNotice();
    });
}

void TFormGeneral::ShowNoTrayNotice() {
    if (noTrayTold_) return;
    noTrayTold_ = true;
    // Modeless: the program goes on waiting for a tray behind it.
    auto* box = new QMessageBox(QMessageBox::Information, ApplicationTitle(), QString::fromUtf8(texts::NoTrayNotice),
                                QMessageBox::Ok);
    box->setObjectName("NoTrayNotice");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    noTrayBox_ = box;
    box->show();
}

void TFormGeneral::WriteErrorLog(const QString& message) {
    const QString logFile = program_.logFile();
    const int code = platform::LastErrorCode();
    ShowNotice(logFile);
    const platform::LocalTimeTexts now = platform::CurrentLocalTimeTexts();
    const std::string line = BuildErrorLogLine(now.shortDate, now.longTime, message.toStdString(), code,
                                               platform::LastErrorText(code));
    AppendErrorLogLine(logFile.toStdString(), line);
}

void TFormGeneral::PlaySystemSound(const QString& name, SoundPlace place) {
    QString file;
    switch (place) {
    case SoundPlace::FullPath: file = name; break;
    // The system's own sounds on Windows; here those installed with the
    // program.
    case SoundPlace::WindowsDirectory:
        file = QString::fromStdString(platform::SystemSoundDirectory(program_.places.programDir)) + name;
        break;
    case SoundPlace::None: return;
    }
    try {
        const bool played = playSound_ ? playSound_(file.toStdString()) : MPAudioGen->play(file.toStdString());
        if (!played) WriteErrorLog("Can't play \"" + file + "\"");
    } catch (...) {
        // A sound that cannot be played never stops the caller.
    }
}

void TFormGeneral::AEGeneralException(QObject* sender, const std::exception* error) {
    const QString what = error ? QString::fromLocal8Bit(error->what()) : QStringLiteral("Unknown error");
    try {
        try {
            if (!sender) throw std::runtime_error("no sender");
            WriteErrorLog("Exception raised (Sender was: " + sender->objectName() + "): " + what);
        } catch (...) {
            WriteErrorLog("Exception raised (Sender Couldn't be determined): " + what);
        }
        ShowNotice(program_.crashMessage);
    } catch (...) {
        // The log itself cannot be written: nothing more to tell; end all the same.
    }
    program_.requestEnd(1);
}

void TFormGeneral::AEGeneralHint(const QString& hint) {
    TFormItems* items = program_.items.get();
    if (!items || QApplication::activeWindow() != items) return;
    const int bar = hint.indexOf('|');
    items->ShowHint(bar < 0 ? hint : hint.mid(bar + 1));
}

}  // namespace orbel
