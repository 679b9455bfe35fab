#pragma once
// The style of the live menu: entries that carry the program's measure and
// draw handlers are sized and painted by them, everything else by the
// application's own style.

#include <QProxyStyle>

namespace orbel {

class MenuDrawStyle : public QProxyStyle {
    Q_OBJECT
public:
    // One instance serves every live menu; it lives as long as the application.
    static MenuDrawStyle* shared();

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

private:
    MenuDrawStyle();
};

}  // namespace orbel
