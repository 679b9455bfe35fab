#include "support/manager_support.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QtTest>

#include "app/manager/form_items.h"
#include "core/store/item_tree.h"
#include "support/controls.h"

namespace orbel::testing {

TreeNode* NodeAt(const ItemTree& tree, const QString& rowPath) {
    TreeNode* node = nullptr;
    for (const QString& part : rowPath.split('/')) {
        bool ok = false;
        const int row = part.toInt(&ok);
        if (!ok || row < 0 || row >= tree.childCount(node)) return nullptr;
        node = tree.child(node, row);
    }
    return node;
}

TreeNode* NodeNamed(const ItemTree& tree, const QString& text) {
    TreeNode* found = nullptr;
    const std::string want = text.toStdString();
    tree.forEach([&](TreeNode& n) {
        if (!found && n.text == want) found = &n;
    });
    return found;
}

QString ReadText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

int SoundsPlayed(const TestProgram& t, const QString& fileName) {
    return int(t.platform.sounds.count(t.dir() + "media/" + fileName));
}

TFormItems* OpenManager(TestProgram& t) {
    t.startUp();
    TFormItems* f = t.program().items();
    f->show();
    return f;
}

void Retype(QLineEdit* box, const QString& text) {
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) QTest::keyClick(box, Qt::Key_Backspace);
    else QTest::keyClicks(box, text);
}

bool SendDragEvent(TFormItems* f, QEvent::Type type, const QMimeData* data, QPoint at, Qt::DropAction action) {
    QWidget* vp = Control<TkvWinTreeView>(f, "TVItems")->viewport();
    const auto send = [vp](QEvent&& e) {
        QCoreApplication::sendEvent(vp, &e);
        return e.isAccepted();
    };
    if (type == QEvent::Drop) return send(QDropEvent(QPointF(at), action, data, Qt::LeftButton, Qt::NoModifier));
    if (type == QEvent::DragEnter) return send(QDragEnterEvent(at, action, data, Qt::LeftButton, Qt::NoModifier));
    return send(QDragMoveEvent(at, action, data, Qt::LeftButton, Qt::NoModifier));
}

ManagerFixture::ManagerFixture(void (*writeStore)(TestProgram& t)) {
    if (writeStore) writeStore(t);
    f = OpenManager(t);
}

ItemTree& ManagerFixture::tree() { return t.program().store().items; }
ItemTable& ManagerFixture::table() { return t.program().store().table; }
TreeNode* ManagerFixture::node(const QString& text) { return NodeNamed(tree(), text); }
TreeNode* ManagerFixture::at(const QString& rowPath) { return NodeAt(tree(), rowPath); }

QString ManagerFixture::children(const TreeNode* parent) {
    QStringList names;
    for (int i = 0; i < tree().childCount(parent); ++i) names << QString::fromStdString(tree().child(parent, i)->text);
    return names.join(",");
}

TkvWinTreeView* ManagerFixture::view() const { return Control<TkvWinTreeView>(f, "TVItems"); }
QModelIndex ManagerFixture::index(const TreeNode* n) const { return TreeModelOf(f)->indexOf(n); }
bool ManagerFixture::expanded(const TreeNode* n) const { return view()->isExpanded(index(n)); }
QPushButton* ManagerFixture::button(const char* name) const { return Control<QPushButton>(f, name); }
QLineEdit* ManagerFixture::box(const char* name) const { return Control<QLineEdit>(f, name); }
void ManagerFixture::click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

QString ManagerFixture::buttons(const char* letters) const {
    const std::pair<char, const char*> names[] = {{'C', "BitBtnCut"},    {'O', "BitBtnCopy"},   {'P', "BitBtnPaste"},
                                                  {'D', "BitBtnDelete"}, {'A', "BitBtnAttach"}, {'L', "BitBtnLaunch"}};
    QString s;
    for (const char* l = letters; *l; ++l)
        for (auto [letter, name] : names)
            if (letter == *l) s += button(name)->isEnabled() ? letter : '-';
    return s;
}

void ManagerFixture::rename(TreeNode* n, const QString& text) {
    f->selectNode(n);
    Retype(box("EditSName"), text);
}

}  // namespace orbel::testing
