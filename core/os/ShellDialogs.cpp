#include "core/os/ShellDialogs.h"

#include <QFile>

#include <unistd.h>

namespace core {

namespace {

class CancellingShellDialogs : public ShellDialogs {
public:
    std::optional<QString> browseFolder(const TFolderBrowseRequest&) override { return std::nullopt; }
    std::optional<QString> browseComputer(const QString&) override { return std::nullopt; }
    std::optional<QString> runSaveDialog(const TSaveDialog&) override { return std::nullopt; }
};

CancellingShellDialogs cancellingDialogs;
ShellDialogs* installed = nullptr;

} // namespace

bool ShellDialogs::isWritableFolder(const QString& folder) {
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

ShellDialogs* setShellDialogs(ShellDialogs* dialogs) {
    ShellDialogs* previous = installed;
    installed = dialogs;
    return previous;
}

ShellDialogs& shellDialogs() {
    return installed ? *installed : cancellingDialogs;
}

} // namespace core
