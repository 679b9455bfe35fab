#pragma once
// What the three dialogs share: created once, hidden (never destroyed) when
// closed, the mark the preferences dialog leaves on dialogs it hid, and the
// title text that is either the window caption or painted by the program.

#include <QDialog>
#include <QMargins>
#include <QSize>
#include <functional>

namespace orbel {

namespace platform {
class Platform;
}
class TTitleBar;

class OrbelDialog : public QDialog {
    Q_OBJECT
public:
    // The platform leaves the window out of the taskbar when asked.
    explicit OrbelDialog(platform::Platform& platform, QWidget* parent = nullptr);

    // 1 while the preferences dialog has hidden this dialog for a while.
    int Tag = 0;

    // Paints the dialog's own title bar under the program's drawing; the
    // program that made the dialog sets it, and takes it back before its
    // painter goes.
    using TitlePainter = std::function<void(OrbelDialog* dialog, const QString& title)>;
    void setTitlePainter(TitlePainter paint) { paintTitle_ = std::move(paint); }

    QString titleText() const { return titleText_; }
    void setTitleText(const QString& text);

    // How the window looks: with the window manager's frame and caption, or
    // frameless with a title bar of our own above the unchanged client area;
    // with a taskbar button or without. Keeps the dialog visible if it was.
    void setWindowLook(bool customTitle, bool taskBar);
    bool customTitle() const { return customTitle_; }
    bool taskBar() const { return taskBar_; }
    // The size the dialog's own controls are laid out in.
    QSize clientSize() const;
    // Where that area begins inside the window.
    QPoint clientOrigin() const;
    // Gives the client area this size; the window keeps its frame around it.
    void setClientSize(QSize client);
    // Lays the controls out for the font and the texts they have now, so
    // that no caption is cut: runs on every change of font or style, and
    // after a caption's text changes.
    virtual void fitTexts() {}
    TTitleBar* titleBar() const { return titleBar_; }
    // The controls inside are made when the dialog is first shown, or now:
    // a dialog that waits unseen costs the start-up nothing but itself.
    void ensureContents();
    bool contentsBuilt() const { return contentsBuilt_; }
    void setVisible(bool visible) override;
    // Outer border of the frameless look.
    static constexpr int kFrameWidth = 2;

    // Title painting hooks, live only under the program's own drawing.
    void FormActivate();
    void FormPaint();

public slots:
    // Escape closes the dialog like its close box does.
    void reject() override { close(); }

protected:
    // Makes the controls; runs once, in the font and look the dialog has.
    virtual void buildContents() {}
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    // Closing hides; the dialog's own reject (Escape) is not asked again.
    void closeEvent(QCloseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void shiftClientArea(int dx, int dy);
    void setOuterSize(QSize outer);

    platform::Platform& platform_;
    TitlePainter paintTitle_;
    QString titleText_;
    TTitleBar* titleBar_ = nullptr;
    bool customTitle_ = false;
    bool taskBar_ = true;
    bool lookKnown_ = false;
    bool contentsBuilt_ = false;
    Qt::WindowFlags frameHints_;
    QMargins plainMargins_;
};

}  // namespace orbel
