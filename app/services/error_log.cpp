#include "app/services/error_log.h"

#include "app/services/notice.h"
#include "core/program/error_log.h"
#include "platform/platform.h"

namespace orbel {

void ErrorLog::WriteErrorLog(const QString& message) {
    const QString logFile = QString::fromStdString(places_.logFile());
    const int code = platform_.LastErrorCode();
    notices_.Show(logFile);
    const platform::LocalTimeTexts now = platform_.CurrentLocalTimeTexts();
    const std::string line = BuildErrorLogLine(now.shortDate, now.longTime, message.toStdString(), code,
                                               platform_.LastErrorText(code));
    AppendErrorLogLine(logFile.toStdString(), line);
}

}  // namespace orbel
