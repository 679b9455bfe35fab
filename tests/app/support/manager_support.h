#pragma once
// Helpers for the item manager's widget tests.

#include <QEvent>
#include <QModelIndex>
#include <QPoint>
#include <QString>

#include "support/test_program.h"

class QLineEdit;
class QMimeData;
class QPushButton;

namespace orbel {
struct ItemTable;
class ItemTree;
class TFormItems;
class TkvWinTreeView;
class TreeNode;
}  // namespace orbel

namespace orbel::testing {

// The node at a row path: "3" is the fourth top-level node, "1/0" the first
// child of the second. nullptr when there is none.
TreeNode* NodeAt(const ItemTree& tree, const QString& rowPath);
// The first node, any level, with this text.
TreeNode* NodeNamed(const ItemTree& tree, const QString& text);

// Starts the program and shows its item manager.
TFormItems* OpenManager(TestProgram& t);

// How often the program asked for one of its sounds ("chord.wav").
int SoundsPlayed(const TestProgram& t, const QString& fileName);

// The file's content as text ("" when missing).
QString ReadText(const QString& path);

// Replaces the box's text the way a user does: select all, then type.
void Retype(QLineEdit* box, const QString& text);

// Sends one drag event to the tree as the platform would; true when
// accepted. A move needs an enter first: the application sends moves to
// the widget that took the last enter.
bool SendDragEvent(TFormItems* f, QEvent::Type type, const QMimeData* data, QPoint at, Qt::DropAction action);

// A program started on the store writeStore puts in place (none without
// it), its item manager shown, and what the tests ask of them again and again.
struct ManagerFixture {
    explicit ManagerFixture(void (*writeStore)(TestProgram& t) = nullptr);

    ItemTree& tree();
    ItemTable& table();
    TreeNode* node(const QString& text);
    TreeNode* at(const QString& rowPath);
    // The texts of the node's children (the top level's for nullptr),
    // joined by commas.
    QString children(const TreeNode* parent = nullptr);

    TkvWinTreeView* view() const;
    QModelIndex index(const TreeNode* n) const;
    bool expanded(const TreeNode* n) const;
    QPushButton* button(const char* name) const;
    QLineEdit* box(const char* name) const;
    void click(QPushButton* b);
    void click(const char* buttonName) { click(button(buttonName)); }
    // For each letter the letter when its button is enabled, '-' when not:
    // C Cut, O Copy, P Paste, D Delete, A Attach, L Launch.
    QString buttons(const char* letters) const;
    // Selects the node and types its new name into the name box.
    void rename(TreeNode* n, const QString& text);
    int chords() const { return SoundsPlayed(t, "chord.wav"); }

    TestProgram t;
    TFormItems* f = nullptr;
};

}  // namespace orbel::testing
