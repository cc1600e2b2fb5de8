#include "core/os/SaveLocationRule.h"

#include "core/files/PathDelim.h"
#include "core/files/ResolvedPath.h"
#include "core/files/SystemFolders.h"
#include "core/os/RegistryValue.h"
#include "core/os/ShellDialogs.h"
#include "core/ui/MessageService.h"
#include "platform/DriveMap.h"

#include <QFileInfo>

namespace core {

namespace {

const QString kNoPermissionQuestion = QStringLiteral(
    "この場所に保存するアクセス許可がありません。\r管理者に連絡してアクセス許可を取得してください。\r\r"
    "代わりに［ドキュメント］フォルダに保存しますか？\r");

// The folder itself when it exists, else the nearest existing folder above it.
QString nearestExisting(const QString& resolved) {
    QString probe = resolved;
    while (!QFileInfo::exists(probe) && probe != u"/")
        probe = QFileInfo(probe).path();
    return probe;
}

} // namespace

QString SystemDriveRoot() {
    const QString windowsPath = platform::toWindowsPath(GetSystemDir());
    if (windowsPath.size() >= 2 && windowsPath.at(1) == u':' && windowsPath.at(0).isLetter()) {
        const QString folder = platform::driveFolder(windowsPath.at(0));
        if (!folder.isEmpty())
            return folder;
    }
    return QStringLiteral("/");
}

bool CanSaveInFolder(const QString& folder, bool uacOn) {
    const QString resolved = KernelResolvedPath(folder, true);
    if (resolved.isEmpty())
        return false;
    if (uacOn && resolved == KernelResolvedPath(SystemDriveRoot(), true))
        return false;
    const QString existing = nearestExisting(resolved);
    return QFileInfo(existing).isDir() && shellDialogs().isWritableFolder(existing);
}

bool AskSaveInDocuments() {
    return showMessage(MessageKind::Warning, kNoPermissionQuestion, mbYesNo) == mrYes;
}

bool CheckSaveFolder(QString& folder) {
    if (folder.isEmpty())
        return true;
    if (CanSaveInFolder(folder, IsUserAccountControlOn())) {
        folder = IncludePathDelim(folder);
        return true;
    }
    if (!AskSaveInDocuments())
        return false;
    folder = GetMyDocumentsDir();
    return true;
}

bool CheckSaveFilePath(QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return true;
    QString folder = slash == 0 ? QStringLiteral("/") : path.left(slash);
    if (!CheckSaveFolder(folder))
        return false;
    path = IncludePathDelim(folder) + path.mid(slash + 1);
    return true;
}

} // namespace core
