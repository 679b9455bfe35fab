#include "app/tray/menu_style.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionMenuItem>

#include "app/tray/form_shortcuts.h"
#include "app/tray/live_menu.h"
#include "app/tray/menu_find.h"
#include "core/tray/menu_drawing.h"
#include "core/tray/menu_model.h"

namespace orbel {

namespace {

// The entry behind a menu item option, when it carries handlers and the
// window that holds the handlers exists.
const MenuEntry* HookedEntry(const QStyleOption* option, const QWidget* widget, const TFormShortCuts* handlers) {
    const auto* menu = qobject_cast<const LiveMenu*>(widget);
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (!menu || !item) return nullptr;
    const MenuEntry* entry = menu->entryForOption(item);
    if (!entry || entry->draw == DrawHook::None) return nullptr;
    if (!handlers) return nullptr;
    return entry;
}

// The submenu arrow the system adds to an owner-drawn entry, in the room it
// keeps right of the measured width.
void DrawSubmenuArrow(QPainter& p, const QRect& r, bool selected) {
    const QColor c = selected ? QColor(Qt::white) : QColor(Qt::black);
    const int x = r.right() - menu_geometry::ArrowFromRight;
    const int cy = r.top() + r.height() / 2;
    for (int i = 0; i < 4; ++i) p.fillRect(QRect(x + i, cy - 3 + i, 1, 7 - 2 * i), c);
}

}  // namespace

MenuDrawStyle::MenuDrawStyle() = default;

QSize MenuDrawStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                      const QWidget* widget) const {
    if (type == CT_MenuItem) {
        if (const MenuEntry* entry = HookedEntry(option, widget, handlers_)) {
            QFont canvasFont;
            int width = 0, height = 0;
            handlers_->NorItemsRTMeasureItem(*entry, canvasFont, width, height, widget);
            return QSize(width + menu_geometry::ArrowRoom, height);
        }
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

int MenuDrawStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    if (!qobject_cast<const LiveMenu*>(widget)) return base;
    // Some styles outline the menu panel without counting the outline as
    // its frame; entries then start on it, and a separator drawn there is
    // taken for the outline. Entries stay inside a frame and one row of
    // ground, so a separator at either end shows as a line of its own.
    if (metric == PM_MenuPanelWidth) return qMax(base, 1);
    if (metric == PM_MenuVMargin) return qMax(base, 1);
    return base;
}

void MenuDrawStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const {
    if (element == CE_MenuItem && DrawQuietHint(option, painter, widget)) return;
    if (element == CE_MenuItem) {
        if (const MenuEntry* entry = HookedEntry(option, widget, handlers_)) {
            const TFormShortCuts* handlers = handlers_;
            const bool selected = option->state & State_Selected;
            painter->save();
            if (entry->draw == DrawHook::SpeItems) {
                handlers->SpeItemsRTDrawItem(*entry, *painter, option->rect, selected);
            } else {
                handlers->NorItemsRTDrawItem(*entry, *painter, option->rect, selected);
                if (entry->hasChildren()) DrawSubmenuArrow(*painter, option->rect, selected);
            }
            painter->restore();
            return;
        }
    }
    if (element == CE_MenuEmptyArea) {
        const auto* menu = qobject_cast<const LiveMenu*>(widget);
        if (menu && handlers_ && menu->programDrawn()) {
            painter->fillRect(option->rect, handlers_->menuColour());
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

bool MenuDrawStyle::DrawQuietHint(const QStyleOption* option, QPainter* painter, const QWidget* widget) const {
    const auto* menu = qobject_cast<const LiveMenu*>(widget);
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    const QAction* action = menu && item ? menu->actionForOption(item) : nullptr;
    const qsizetype tab = item ? item->text.indexOf(QLatin1Char('\t')) : -1;
    if (!action || tab < 0 || !action->property(MenuFind::kQuietHint).toBool()) return false;
    // The row as the style draws it, without the text after the tab.
    QStyleOptionMenuItem row = *item;
    row.text.truncate(tab);
    QProxyStyle::drawControl(CE_MenuItem, &row, painter, widget);
    // Then that text alone, where the style puts a shortcut, over the row
    // just drawn: no ground, no icon, a quieter pen that still reads on the
    // highlight.
    QStyleOptionMenuItem hint = *item;
    hint.text = item->text.mid(tab);
    hint.icon = QIcon();
    hint.state &= ~State_Selected;
    QColor pen = item->palette.color(QPalette::PlaceholderText);
    if (item->state & State_Selected) {
        pen = item->palette.color(QPalette::HighlightedText);
        pen.setAlphaF(0.75f);
    }
    for (const QPalette::ColorRole role :
         {QPalette::Text, QPalette::ButtonText, QPalette::WindowText, QPalette::HighlightedText, QPalette::BrightText})
        hint.palette.setColor(role, pen);
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base, QPalette::Highlight})
        hint.palette.setBrush(role, Qt::NoBrush);
    QProxyStyle::drawControl(CE_MenuItem, &hint, painter, widget);
    return true;
}

void MenuDrawStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element != PE_PanelMenu) return;
    // Under the program's drawing the menu's ground is the menu colour, as
    // the parts of an entry the handlers do not fill expect.
    const auto* menu = qobject_cast<const LiveMenu*>(widget);
    if (!menu || !handlers_ || !menu->programDrawn()) return;
    const int frame = pixelMetric(PM_MenuPanelWidth, option, widget);
    painter->fillRect(option->rect.adjusted(frame, frame, -frame, -frame), handlers_->menuColour());
}

}  // namespace orbel
