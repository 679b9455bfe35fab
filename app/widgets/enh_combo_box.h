#pragma once
// A combo box with a flat, hand-drawn border and button, a drop-down list
// that can size itself to its widest entry, and the keyboard interface where
// Down opens the list.

#include <QColor>
#include <QComboBox>
#include <QSize>

namespace orbel {

class TEnhComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TEnhComboBox(QWidget* parent = nullptr);

    bool Flat() const { return flat_; }
    void setFlat(bool on);
    bool AlwaysShowBorder() const { return alwaysShowBorder_; }
    void setAlwaysShowBorder(bool on);
    bool ShowBorderWhenInactive() const { return showBorderWhenInactive_; }
    void setShowBorderWhenInactive(bool on);
    bool ButtonStaysPushed() const { return buttonStaysPushed_; }
    void setButtonStaysPushed(bool on) { buttonStaysPushed_ = on; }
    // Switching one of the two on switches the other off.
    bool AutoDropDownWidth() const { return autoDropDownWidth_; }
    void setAutoDropDownWidth(bool on);
    bool AutoHorizontalScroll() const { return autoHorizontalScroll_; }
    void setAutoHorizontalScroll(bool on);
    // Never less than the box's own width.
    int DropDownWidth() const { return qMax(dropDownWidth_, width()); }
    void setDropDownWidth(int w);
    int HorizontalExtent() const { return horizontalExtent_; }
    void setHorizontalExtent(int w);
    bool ExtendedInterface() const { return extendedInterface_; }
    void setExtendedInterface(bool on) { extendedInterface_ = on; }
    bool Tooltip() const { return tooltip_; }
    void setTooltip(bool on) { tooltip_ = on; }
    // The box's colour (the background of its text); the button face shows
    // while the box is disabled, and this colour comes back with enabling.
    QColor Color() const { return color_; }
    void setColor(const QColor& c);

    // Text extent of an entry in the box's font; 0 x 0 for index -1.
    virtual QSize MeasureItemText(int index) const;
    int ButtonWidth() const { return buttonWidth_; }
    bool ButtonPushed() const { return pushed_; }
    bool BorderVisible() const;

    void showPopup() override;
    void hidePopup() override;

signals:
    void OnCloseUp();

protected:
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void applyColour(const QColor& c);
    void fitPopup();

    bool flat_ = true;
    bool alwaysShowBorder_ = false;
    bool showBorderWhenInactive_ = false;
    bool buttonStaysPushed_ = false;
    bool autoDropDownWidth_ = false;
    bool autoHorizontalScroll_ = false;
    int dropDownWidth_ = 0;
    int horizontalExtent_ = 0;
    bool extendedInterface_ = false;
    bool tooltip_ = false;
    bool pushed_ = false;
    bool mouseInside_ = false;
    int buttonWidth_;
    QColor color_;
};

}  // namespace orbel
