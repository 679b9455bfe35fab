#pragma once
// The preferences dialog.

#include <QDialog>

namespace orbel {

class TFormConfig : public QDialog {
    Q_OBJECT
public:
    TFormConfig();
};

}  // namespace orbel
