#pragma once
// Typing to find in the open tray menu. Letters typed while the program's
// own popup is open find items of the whole tree: the best rows go at the
// top of the menu, under a disabled line with the typed text, in place of
// the loaded entries, while the fixed entries stay below them. The arrows
// and Return work on the rows as on any entry; Backspace edits; Esc gives
// the normal entries back, and a second Esc closes the menu.
//
// Access keys: a plain letter starts (or extends) a search, since a person
// typing into an open menu means the words, and a store of hundreds of items
// gives its access keys no use anyway. Alt with a letter still goes to the
// menu, so the fixed entries' access keys keep working that way. The same
// holds in an open folder: a letter there closes the folders and searches
// the whole tree from the top level.
//
// Nothing of the menu is built again: the rows are a few actions of this
// object's own, put in and taken out; the loaded entries are only hidden.

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QAction;

namespace orbel {

class Finder;
class ItemSearch;
class LiveMenu;

class MenuFind : public QObject {
    Q_OBJECT
public:
    using LaunchFn = std::function<void(int itemNumber)>;
    // menu and search must outlive this object.
    MenuFind(LiveMenu& menu, ItemSearch& search, LaunchFn launch);
    ~MenuFind() override;

    bool active() const { return !text_.isEmpty(); }
    const QString& text() const { return text_; }
    // The normal entries back, the rows gone.
    void end();

    // A search shows as many rows as the screen has room for, never fewer
    // than this.
    static constexpr int kMinRows = 5;
    // The property that marks a row whose folder (after the tab) the menu's
    // style draws quieter than its caption.
    static constexpr const char* kQuietHint = "orbelQuietHint";
    // How many rows the search shows now (0 before one).
    int rowLimit() const { return limit_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setText(const QString& text);
    void showRows();
    void dropRows();
    // How many rows (to go before at) fit between the menu's other entries
    // and the screen's edges; measured on a search's first key, the other
    // entries being the same for all of it.
    int rowsThatFit(QAction* at);
    // Keeps the resized menu where it opened, inside the screen.
    void keepPlace();

    LiveMenu& menu_;
    ItemSearch& search_;
    LaunchFn launch_;
    std::unique_ptr<Finder> finder_;
    QString text_;
    QRect opened_;                           // the menu's place before the search
    int rowHeight_ = 0;                      // one row's height, measured once
    int limit_ = 0;                          // rows shown in this search
    std::vector<QPointer<QAction>> rows_;    // ours: the text line, the rows, a separator
    std::vector<QPointer<QAction>> hidden_;  // loaded entries hidden while searching
};

}  // namespace orbel
