#pragma once
// The item manager dialog. It also owns the live tray menu and the image
// lists, which the loader fills.

#include "app/dialogs/orbel_dialog.h"
#include <memory>

class QLabel;
class QStatusBar;
class QTimer;
class QTreeView;
class QFrame;

namespace orbel {

class ImageLists;
class ItemTreeModel;
class LiveMenu;
class MenuEntry;

class TFormItems : public OrbelDialog {
    Q_OBJECT
public:
    TFormItems();
    ~TFormItems() override;

    QTreeView* TVItems;
    QFrame* PanelProp;
    QFrame* PanelAdmin;
    QStatusBar* StatusBarHelp;
    QLabel* StatusPanel;  // the status bar's one panel
    QTimer* TimerStatusText;
    LiveMenu* PMItems;
    std::unique_ptr<ImageLists> ILAllPublic;  // both image lists
    ItemTreeModel* treeModel;

    QString StatusText() const;
    void SetStatusText(const QString& text);
    // A message that stays 4.75 seconds before "Ready" comes back.
    void ShowStatus(const QString& message);
    void TimerStatusTextTimer();

    // Hooks the live menu and tree to the loaded store (after each load).
    void StoreLoaded();
    // Detached while the store is rebuilt.
    void setTreeChangeHandler(bool attached);

signals:
    void hidden();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    bool changeHandlerAttached_ = false;
};

}  // namespace orbel
