#include "app/services/error_log.h"

#include "app/services/notice.h"
#include "core/program/error_log.h"
#include "platform/system_info.h"

namespace orbel {

void ErrorLog::WriteErrorLog(const QString& message) {
    const QString logFile = QString::fromStdString(places_.logFile());
    const int code = platform::LastErrorCode();
    ShowNotice(logFile);
    const platform::LocalTimeTexts now = platform::CurrentLocalTimeTexts();
    const std::string line = BuildErrorLogLine(now.shortDate, now.longTime, message.toStdString(), code,
                                               platform::LastErrorText(code));
    AppendErrorLogLine(logFile.toStdString(), line);
}

}  // namespace orbel
