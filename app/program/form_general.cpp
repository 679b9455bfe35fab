#include "app/program/form_general.h"

#include <QApplication>
#include <QEvent>
#include <QStatusTipEvent>

#include "app/dialogs/form_about.h"
#include "app/dialogs/form_config.h"
#include "app/dialogs/title_painter.h"
#include "app/manager/form_items.h"
#include "app/services/error_log.h"
#include "app/services/notice.h"
#include "app/services/services.h"
#include "app/images/image_lists.h"
#include "app/tray/menu_publishing.h"
#include "app/widgets/sys_tray_icon.h"
#include "core/program/texts.h"

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

TFormGeneral::TFormGeneral(GeneralHost& program) : program_(program) {
    setObjectName("TFormGeneral");
    setAttribute(Qt::WA_DontShowOnScreen);
    CSystrayGen = new TSysTrayIcon(this, program_.clock(), program_.services().platform);
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
    // A host that draws the menu itself (GNOME on Wayland) asks on a double
    // press: there the find window is the program's own way to its items.
    connect(CSystrayGen, &TSysTrayIcon::hostActivated, this, [this] { program_.ShowFind(QString()); });
    CSystrayGen->Loaded();
    AEGeneral = new TApplicationEvents(this);
    connect(AEGeneral, &TApplicationEvents::OnHint, this, &TFormGeneral::AEGeneralHint);
}

TFormGeneral::~TFormGeneral() = default;

void TFormGeneral::AEGeneralException(QObject* sender, const std::exception* error) {
    const QString what = error ? QString::fromLocal8Bit(error->what()) : QStringLiteral("Unknown error");
    try {
        try {
            if (!sender) throw std::runtime_error("no sender");
            program_.errorLog().WriteErrorLog("Exception raised (Sender was: " + sender->objectName() + "): " + what);
        } catch (...) {
            program_.errorLog().WriteErrorLog("Exception raised (Sender Couldn't be determined): " + what);
        }
        program_.services().notices.Show(program_.crashMessage());
    } catch (...) {
        // The log itself cannot be written: nothing more to tell; end all the same.
    }
    program_.requestEnd(1);
}

void TFormGeneral::AEGeneralHint(const QString& hint) {
    TFormItems* items = program_.items();
    if (!items || QApplication::activeWindow() != items) return;
    const int bar = hint.indexOf('|');
    items->ShowHint(bar < 0 ? hint : hint.mid(bar + 1));
}

void TFormGeneral::setActivationRepaint(bool on) {
    QObject::disconnect(activateHook_);
    if (on)
        activateHook_ = connect(qApp, &QGuiApplication::applicationStateChanged, this, [this] { AEGeneralActivate(); });
}

void TFormGeneral::AEGeneralActivate() {
    for (OrbelDialog* d : {static_cast<OrbelDialog*>(program_.items()), static_cast<OrbelDialog*>(program_.config()),
                           static_cast<OrbelDialog*>(program_.about())}) {
        if (d && d->isVisible()) program_.titles().PaintTitle(d, d->titleText());
        // Each title shows its new look at once, not after the last one.
        QCoreApplication::processEvents();
    }
}

}  // namespace orbel
