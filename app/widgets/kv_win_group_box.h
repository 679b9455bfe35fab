#pragma once
// The stock group box, with its caption drawn etched while it is disabled.

#include <QGroupBox>

namespace orbel {

class TkvWinGroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit TkvWinGroupBox(const QString& title = QString(), QWidget* parent = nullptr);
    // Where the caption is drawn, in the box's coordinates.
    QRect CaptionRect() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
};

}  // namespace orbel
