#include "support/manager_support.h"

#include <QFile>
#include <QStringList>

#include "app/manager/form_items.h"
#include "core/store/item_tree.h"
#include "support/test_program.h"

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
    return int(t.sounds.count(t.dir() + "media/" + fileName));
}

TFormItems* OpenManager(TestProgram& t) {
    t.startUp();
    TFormItems* f = t.program().items();
    f->show();
    return f;
}

}  // namespace orbel::testing
