#include "core/program/texts.h"

namespace orbel::texts {

std::string Title(const char* suffix) { return std::string(ProductName) + suffix; }

std::string VersionLine(const std::string& systemName) {
    return std::string(ProductName) + " version " + Version + " for " + systemName;
}

std::string DistributorLine() { return std::string("Distributed by ") + CompanyName; }

std::string HelpTail(const std::string& logDir) {
    return std::string("\r\n\r\nIf the problem persists try visit ") + WebAddress +
           " and check for updates and/or work arounds of already known bugs. \r\n\r\n"
           "As an alternative please send \"" +
           logDir +
           "errorlog.txt\" and a reproducible description of what you were doing at the time "
           "the error ocurred to " +
           SupportAddress + ", and we'll do our best to resolve the problem.";
}

std::string CrashMessage(const std::string& logDir) {
    return "Exception raised, Orbel will now terminate to prevent machine lockup." + HelpTail(logDir);
}

std::string BackupPrompt(const std::string& dataDir, const std::string& logDir) {
    return "A Backup of an earlier items list exists as \"" + dataDir +
           "item_bak.\" In most cases this is caused by the program has crashed while saving items "
           "last time.\r\n\r\nDo you wish to restore the items from the backup?\r\nIf you choose "
           "\"No\" the program will attempt to delete the backup, if you choose \"Yes\" the program "
           "will attempt to restore the items, if you choose \"Cancel\" the program will exit with "
           "any further actions." +
           HelpTail(logDir);
}

std::string OpeningErrorText(const std::string& path) {
    return "Error opening the file " + path +
           ". Most likely it means that the file either doesn't exist any more or it has been moved. "
           "Try use the tool located in \"Tandrel Orbel Kit -> Manage Items -> Sweep\" which has "
           "automated functions to correct such problems.";
}

std::string NotFoundText(const std::string& path) { return "\"" + path + "\" not found."; }

}  // namespace orbel::texts
