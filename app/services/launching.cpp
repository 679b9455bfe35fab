#include "app/services/launching.h"

#include "app/services/notice.h"
#include "core/program/texts.h"
#include "platform/opener.h"

namespace orbel {

bool OpenItem(const QString& path, const QString& parameters) {
    if (platform::OpenPath(path.toStdString(), parameters.toStdString(), platform::ShowMode::Default)) return true;
    ShowNotice(QString::fromStdString(texts::OpeningErrorText(path.toStdString())));
    return false;
}

bool OpenDocument(const QString& path) {
    if (platform::OpenPath(path.toStdString(), std::string(), platform::ShowMode::Normal)) return true;
    ShowNotice(QString::fromStdString(texts::NotFoundText(path.toStdString())));
    return false;
}

}  // namespace orbel
