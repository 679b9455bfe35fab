#include "app/dialogs/form_config.h"

#include "app/shell/program.h"

namespace orbel {

TFormConfig::TFormConfig() {
    setObjectName("TFormConfig");
    setTitleText(Program::instance()->configTitle);
}

}  // namespace orbel
