#include "app/dialogs/form_config.h"

#include "app/shell/program.h"

namespace orbel {

TFormConfig::TFormConfig() {
    setObjectName("TFormConfig");
    setWindowTitle(Program::instance()->configTitle);
    setModal(false);
}

}  // namespace orbel
