#pragma once
// The preferences dialog.

#include "app/dialogs/orbel_dialog.h"

namespace orbel {

class TFormConfig : public OrbelDialog {
    Q_OBJECT
public:
    TFormConfig();
};

}  // namespace orbel
