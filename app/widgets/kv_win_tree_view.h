#pragma once
// A tree view that also takes files dropped from other programs (a file
// manager, the desktop) and reports each one to its owner.

#include <QPoint>
#include <QTreeView>
#include <functional>

namespace orbel {

class TkvWinTreeView : public QTreeView {
    Q_OBJECT
public:
    // Sender, the full local path of one dropped file or directory, and the
    // drop point in the tree's coordinates (its viewport).
    using DropFilesEvent = std::function<void(TkvWinTreeView* sender, const QString& fullPath, QPoint mouseXY)>;

    explicit TkvWinTreeView(QWidget* parent = nullptr);

    // Raised once per file, in the order given; the handler may clear it to
    // stop the remaining deliveries. Without a handler drops are ignored.
    DropFilesEvent OnDropFiles;
    // Raised once after the files of a drop, also when the handler stopped
    // them: what the handler keeps for one drop ends here.
    std::function<void(TkvWinTreeView* sender)> OnDropFilesEnd;

    // Whether a drag carries local files this view would take.
    static bool CarriesLocalFiles(const class QMimeData* data);

    // A text drawn in the free space below the rows (none when empty); it
    // is also the view's accessible description.
    void setPlaceholderText(const QString& text);
    QString placeholderText() const { return placeholder_; }

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QString placeholder_;
};

}  // namespace orbel
