#pragma once
// The find window: a text box and the items that match what is typed in
// it, best first; Return opens the chosen one as a click in the tray menu
// does. The program's way to its items from the keyboard, and on Wayland,
// where the host draws the tray menu, its own way to them at all.

#include <QWidget>
#include <functional>
#include <memory>

class QLineEdit;
class QListWidget;

namespace orbel {

class Finder;
class ImageLists;
class ItemSearch;

class TFormFind : public QWidget {
    Q_OBJECT
public:
    using LaunchFn = std::function<void(int itemNumber)>;
    // search and images must outlive the window.
    TFormFind(const QString& title, ItemSearch& search, const ImageLists& images, LaunchFn launch);
    ~TFormFind() override;

    // Shows the window centred on the screen with the pointer, with the
    // focus in the text box and text typed in.
    void open(const QString& text);
    // The store was loaded again while the window shows: the rows' item
    // numbers are no longer good, so the matches are found anew.
    void refresh();
    // Opens the selected row, or the first; nothing without rows.
    void launchChosen();

    QLineEdit* textBox() const { return edit_; }
    QListWidget* results() const { return list_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void showMatches();

    ItemSearch& search_;
    const ImageLists& images_;
    LaunchFn launch_;
    std::unique_ptr<Finder> finder_;
    QLineEdit* edit_;
    QListWidget* list_;
};

}  // namespace orbel
