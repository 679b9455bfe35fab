#include "app/services/launching.h"

#include "app/services/notice.h"
#include "core/program/texts.h"
#include "platform/platform.h"

namespace orbel {

bool Launcher::OpenItem(const QString& path, const QString& parameters) const {
    if (platform_.OpenPath(path.toStdString(), parameters.toStdString(), platform::ShowMode::Default)) return true;
    notices_.Show(QString::fromStdString(texts::OpeningErrorText(path.toStdString())));
    return false;
}

bool Launcher::OpenDocument(const QString& path) const {
    if (platform_.OpenPath(path.toStdString(), std::string(), platform::ShowMode::Normal)) return true;
    notices_.Show(QString::fromStdString(texts::NotFoundText(path.toStdString())));
    return false;
}

}  // namespace orbel
