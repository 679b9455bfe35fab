#pragma once
// Controls found the way a user's tools find them: by their object names.

#include <QObject>
#include <QString>
#include <QtGlobal>

#include "app/dialogs/orbel_dialog.h"
#include "app/manager/form_items.h"
#include "app/manager/item_tree_model.h"

namespace orbel::testing {

// The control of this type and object name below window; stops the test
// run when there is none, since every later step would fail obscurely. A
// dialog not shown yet makes its controls first, as its showing would.
template <class T> T* Control(const QObject* window, const char* name) {
    if (auto* d = qobject_cast<OrbelDialog*>(const_cast<QObject*>(window))) d->ensureContents();
    T* c = window->findChild<T*>(QString::fromLatin1(name));
    if (!c) qFatal("no %s named %s", T::staticMetaObject.className(), name);
    return c;
}

// The item manager's tree model, as its tree view shows it.
inline ItemTreeModel* TreeModelOf(const TFormItems* f) {
    return qobject_cast<ItemTreeModel*>(Control<TkvWinTreeView>(f, "TVItems")->model());
}

}  // namespace orbel::testing
