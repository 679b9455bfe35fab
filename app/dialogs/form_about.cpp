#include "app/dialogs/form_about.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QProgressBar>

#include "app/dialogs/control_table.h"
#include "app/services/clock.h"
#include "app/images/image_lists.h"
#include "app/services/launching.h"
#include "core/dialogs/about_text.h"
#include "core/program/texts.h"
#include "platform/platform.h"

namespace orbel {

TFormAbout::TFormAbout(const QString& title, Clock& clock, const Services& services)
    : OrbelDialog(services.platform), clock_(clock), services_(services) {
    setObjectName("TFormAbout");
    setTitleText(title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(331, 172);
}

void TFormAbout::buildContents() {
    // clang-format off
    BuildControls(this, {
        {PanelAbout, "PanelAbout", nullptr, {0, 0, 331, 172}, {}, nullptr, RaisedPanel},
        {ImageAboutLogo, "ImageAboutLogo", "PanelAbout", {16, 8, 32, 32}},
        // The text lines take the size their captions need.
        {LabelVer, "LabelVer", "PanelAbout", {60, 8, 0, 0}, versionLine_},
        {LabelDis, "LabelDis", "PanelAbout", {60, 27, 0, 0}, QString::fromStdString(texts::DistributorLine())},
        {LabelCopy, "LabelCopy", "PanelAbout", {60, 47, 0, 0}, QString::fromUtf8(texts::Authorship)},
        {BevelAbout, "BevelAbout", "PanelAbout", {16, 65, 289, 4}, {}, nullptr, SunkenRule},
        {LabelUrl, "LabelUrl", "PanelAbout", {15, 73, 0, 0}, QString::fromUtf8(texts::WebAddress)},
        {LabelMemTotal, "LabelMemTotal", "PanelAbout", {16, 124, 0, 0}},
        {ProgressBarP, "ProgressBarP", "PanelAbout", {16, 146, 289, 15}},
    });
    // clang-format on

    // The picture drawn for the screen's device pixels (its sizes go to 64).
    ImageAboutLogo->setPixmap(ImageLists::WindowIcon().pixmap(QSize(32, 32), ImageAboutLogo->devicePixelRatioF()));
    QFont f = LabelUrl->font();
    f.setUnderline(true);
    LabelUrl->setFont(f);
    // Coloured through the palette: a style sheet would keep the label from
    // taking the dialog's font.
    QPalette link = LabelUrl->palette();
    link.setColor(QPalette::WindowText, Qt::blue);
    LabelUrl->setPalette(link);
    LabelUrl->setCursor(Qt::PointingHandCursor);
    LabelUrl->adjustSize();
    LabelUrl->installEventFilter(this);
    ProgressBarP->setRange(0, 100);
    ProgressBarP->setTextVisible(false);

    TimerMem = new Timer(clock_, this);
    TimerMem->setObjectName("TimerMem");
    TimerMem->setInterval(1000);
    connect(TimerMem, &Timer::timeout, this, &TFormAbout::TimerMemTimer);

    design_.design({PanelAbout, ImageAboutLogo, BevelAbout, ProgressBarP});
    design_.designPlaces({LabelVer, LabelDis, LabelCopy, LabelUrl, LabelMemTotal});
    fitTexts();
}

void TFormAbout::fitTexts() {
    if (design_.empty()) return;
    // The text lines beside the logo, the link and the memory text take the
    // width they need; the rule and the bar span the panel. Each line stays
    // below the one above it.
    auto put = [this](QWidget* w, RowFlow& rows, int gap) {
        const QRect d = design_.designed(w);
        w->setGeometry(QRect(QPoint(d.x(), rows.place(d.y(), gap)), design_.grown(w)));
        rows.ends(w);
        return w->geometry().right() + 1;
    };
    const QRect panel = design_.designed(PanelAbout);
    // A line may come close to the panel's bevel before the box must grow.
    const int margin = PanelAbout->frameWidth() + 4;
    RowFlow rows(0);
    int right = 0;
    for (QLabel* l : {LabelVer, LabelDis, LabelCopy}) right = qMax(right, put(l, rows, 2));
    ImageAboutLogo->setGeometry(design_.designed(ImageAboutLogo));
    rows.ends(ImageAboutLogo);
    put(BevelAbout, rows, 2);
    right = qMax(right, put(LabelUrl, rows, 2));
    right = qMax(right, put(LabelMemTotal, rows, 2));
    put(ProgressBarP, rows, 2);

    const int width = qMax(panel.width(), right + margin);
    const int height = qMax(panel.height() + rows.push(), rows.bottom() + 4);
    for (QWidget* spans : {static_cast<QWidget*>(BevelAbout), static_cast<QWidget*>(ProgressBarP)})
        spans->resize(design_.designed(spans).width() + width - panel.width(), spans->height());
    PanelAbout->setGeometry(QRect(clientOrigin(), QSize(width, height)));
    setClientSize(PanelAbout->size());
}

void TFormAbout::RefreshMemory() {
    ensureContents();
    platform::MemoryStatus m;
    if (!services_.platform.ReadMemoryStatus(m)) return;
    QString text = QString::fromStdString(FormatMemoryText(m.load, m.total, ','));
    // Digits are grouped with the locale's thousands separator.
    text.replace(',', QLocale::system().groupSeparator());
    LabelMemTotal->setText(text);
    fitTexts();
    ProgressBarP->setValue(m.load);
}

void TFormAbout::setVersionLine(const QString& line) {
    versionLine_ = line;
    if (!contentsBuilt()) return;
    LabelVer->setText(line);
    fitTexts();
}

void TFormAbout::FormShow() {
    ensureContents();
    RefreshMemory();
    TimerMem->start();
}

void TFormAbout::FormClose() {
    if (TimerMem) TimerMem->stop();
}
void TFormAbout::TimerMemTimer() { RefreshMemory(); }
void TFormAbout::LabelUrlClick() { services_.launcher.OpenDocument(QString::fromUtf8(texts::WebAddress)); }

void TFormAbout::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormShow();
}

void TFormAbout::closeEvent(QCloseEvent* e) {
    FormClose();
    e->accept();
}

bool TFormAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LabelUrl && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        LabelUrlClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace orbel
