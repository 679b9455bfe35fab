#pragma once
// The style of the live menu: entries that carry the program's measure and
// draw handlers are sized and painted by them, everything else by the
// application's own style.

#include <QProxyStyle>

namespace orbel {

class TFormShortCuts;

class MenuDrawStyle : public QProxyStyle {
    Q_OBJECT
public:
    // One per program: its live menus and their submenus share it.
    MenuDrawStyle();
    // The window holding the measure and draw handlers; nullptr (before it
    // exists and after it is gone) leaves every entry to the base style.
    void setHandlers(const TFormShortCuts* handlers) { handlers_ = handlers; }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

private:
    // A find row: its folder (after the tab) in a quieter colour than its
    // caption. False for every other entry.
    bool DrawQuietHint(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    const TFormShortCuts* handlers_ = nullptr;
};

}  // namespace orbel
