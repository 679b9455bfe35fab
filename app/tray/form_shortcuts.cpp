#include "app/tray/form_shortcuts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

#include "app/images/image_lists.h"
#include "app/services/launching.h"
#include "core/program/settings.h"
#include "core/store/item_table.h"
#include "core/tray/menu_drawing.h"
#include "core/tray/menu_model.h"
#include "app/widgets/system_fonts.h"

namespace orbel {

TFormShortCuts::TFormShortCuts(MenuLook look, const Launcher& launcher) : look_(look), launcher_(launcher) {
    setObjectName("TFormShortCuts");
    setAttribute(Qt::WA_DontShowOnScreen);
}

void TFormShortCuts::NorItemsRTClickItem(const MenuEntry& sender) { OpenItemNumber(sender.tag); }

bool TFormShortCuts::OpenItemNumber(int n) const {
    const ItemTable& table = look_.table;
    const std::string parameters = table.GetItemParameters(n);
    const std::string path = table.pathOf(n);
    return launcher_.OpenItem(QString::fromStdString(path), QString::fromStdString(parameters));
}

namespace {

namespace g = menu_geometry;

QFont ProgramFont(const Settings& s) {
    QFont f(QString::fromStdString(s.FontName));
    if (s.FontSize > 0) f.setPointSize(s.FontSize);
    return f;
}

}  // namespace

void TFormShortCuts::NorItemsRTMeasureItem(const MenuEntry& sender, QFont& canvasFont, int& width, int& height,
                                           const QWidget* canvas) const {
    // A painter on the menu takes what the program's font leaves open from
    // the menu's font, and the menu's resolution: so does the measure.
    canvasFont = ProgramFont(look_.settings);
    if (canvas) canvasFont = canvasFont.resolve(canvas->font());
    const QFontMetrics fm = canvas ? QFontMetrics(canvasFont, canvas) : QFontMetrics(canvasFont);
    // The caption as it shows: its access-key markers take no room.
    const QString shown = QString::fromStdString(StripAccessKeys(sender.caption));
    width = MeasuredEntryWidth(fm.horizontalAdvance(shown), sender.hasChildren());
    height = g::EntryHeight;
}

void TFormShortCuts::NorItemsRTDrawItem(const MenuEntry& sender, QPainter& canvas, const QRect& rect,
                                        bool selected) const {
    const QPalette pal = QApplication::palette();
    const int left = rect.left();
    const int bottom = rect.top() + rect.height();  // one past the last row
    const bool hasIcon = sender.imageIndex >= 0;

    canvas.setFont(ProgramFont(look_.settings));
    if (hasIcon) {
        // Drawn for the surface's device pixels where the desktop has a
        // scalable icon; the 16 x 16 cell stays the same in either case.
        const QPixmap icon = look_.images.entryPixmap(ItemNumberOf(sender), sender.imageIndex,
                                                      canvas.device() ? canvas.device()->devicePixelRatioF() : 1.0);
        const QSize shown = icon.deviceIndependentSize().toSize();
        canvas.drawPixmap(left + g::IconLeft + (16 - shown.width()) / 2,
                          bottom - g::IconFromBottom + (16 - shown.height()) / 2, icon);
    }

    // A raised button round the highlighted icon; otherwise the menu colour
    // wipes out a frame left from an earlier highlight.
    const bool raised = hasIcon && selected;
    const QColor lit = raised ? pal.color(QPalette::Light) : look_.menuColour;
    const QColor shade = raised ? pal.color(QPalette::Dark) : look_.menuColour;
    const int top = bottom - g::FrameFromBottom;
    // Each line stops short of its end point: across x = 1..17 on top,
    // down y = B-19..B-2 on both sides, and x = 1..18 along the bottom.
    const int across = g::FrameRight - g::FrameLeft;
    const int down = g::FrameFromBottom - 1;
    canvas.fillRect(QRect(left + g::FrameLeft, top, across, 1), lit);
    canvas.fillRect(QRect(left + g::FrameLeft, top, 1, down), lit);
    canvas.fillRect(QRect(left + g::FrameRight, top, 1, down), shade);
    canvas.fillRect(QRect(left + g::FrameLeft, bottom - 1, across + 1, 1), shade);

    const QColor highlight(g::HighlightRed, g::HighlightGreen, g::HighlightBlue);
    const int fillStart = hasIcon ? g::FillStartWithIcon : 0;
    canvas.fillRect(QRect(left + fillStart, rect.top(), rect.width() - fillStart, rect.height()),
                    selected ? highlight : look_.menuColour);

    canvas.setPen(selected ? QColor(Qt::white) : QColor(Qt::black));
    const QRect textRect(left + g::CaptionLeft, rect.top(), rect.width() - g::CaptionLeft, rect.height());
    canvas.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                    QString::fromStdString(sender.caption));
}

void TFormShortCuts::SpeItemsRTDrawItem(const MenuEntry& sender, QPainter& canvas, const QRect& rect,
                                        bool /*selected: a text separator never highlights*/) const {
    const QPalette pal = QApplication::palette();
    const bool windowsDraw = look_.settings.WindowsDraw;
    QFont font = ProgramFont(look_.settings);
    if (windowsDraw) font = InSystemMenuFont(QFont());
    const QColor fill = windowsDraw ? look_.systemColour : look_.menuColour;
    canvas.setFont(font);
    canvas.fillRect(rect, fill);

    const int bottom = rect.top() + rect.height();
    canvas.fillRect(QRect(rect.left(), bottom - g::SeparatorDarkFromBottom, rect.width(), 1),
                    pal.color(QPalette::Dark));
    canvas.fillRect(QRect(rect.left(), bottom - g::SeparatorLightFromBottom, rect.width(), 1),
                    pal.color(QPalette::Light));

    // The caption's own ground interrupts the etched line where it stands.
    const QString text = QString::fromStdString(StripAccessKeys(sender.caption));
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    canvas.fillRect(canvas.boundingRect(rect, flags, text), fill);
    canvas.setPen(QApplication::palette("QMenu").color(QPalette::WindowText));
    canvas.drawText(rect, flags, text);
}

}  // namespace orbel
