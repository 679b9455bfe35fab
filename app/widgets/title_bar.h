#pragma once
// A title bar the program draws itself, for windows without the window
// manager's frame: it shows the title, moves the window when dragged, has a
// close box and looks active or inactive with its window.

#include <QColor>
#include <QPoint>
#include <QWidget>

class QToolButton;

namespace orbel {

class TTitleBar : public QWidget {
    Q_OBJECT
public:
    explicit TTitleBar(QWidget* window);

    // Width of a thin window border: the painted title starts this far plus
    // four pixels from the window's left edge.
    static constexpr int kThinBorder = 1;
    static int CaptionHeight();

    // What the title painter asks for: the text, its face (bold, default
    // size) and the text colour while the window is inactive.
    void setTitleLook(const QString& text, const QString& family, const QColor& inactiveText);
    QString titleText() const { return text_; }
    QString titleFamily() const { return family_; }
    // Where the text's top-left lands, in the window's coordinates.
    QPoint textOriginInWindow() const;
    QFont titleFont() const;
    bool windowActive() const;

    QToolButton* closeBox() const { return closeBox_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QToolButton* closeBox_;
    QString text_;
    QString family_;
    QColor inactiveText_;
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace orbel
