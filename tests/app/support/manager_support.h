#pragma once
// Helpers for the item manager's widget tests.

#include <QString>

namespace orbel {
class ItemTree;
class TFormItems;
class TreeNode;
}  // namespace orbel

namespace orbel::testing {

class TestProgram;

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

}  // namespace orbel::testing
