#include "core/os/SaveDialogs.h"

#include "core/files/SystemFolders.h"
#include "core/os/RegistryValue.h"
#include "core/os/SaveLocationRule.h"
#include "core/ui/MessageService.h"
#include "platform/Cp932.h"

#include <QFileInfo>

namespace core {

namespace {

constexpr qsizetype kMaxPathBytes = 255;

const QString kPathTooLong = QStringLiteral(
    "選択した場所(パス)の文字長が処理できる範囲を超えました。\r別の場所を選択して下さい。\r");

} // namespace

bool SelectSaveFolder(const QString& title, QString& folder, bool skipRule, const QString& root) {
    const bool uacOn = !skipRule && IsUserAccountControlOn();
    for (;;) {
        const std::optional<QString> chosen = shellDialogs().browseFolder({title, root, folder});
        if (!chosen)
            return false;
        if (platform::cp932Length(*chosen) > kMaxPathBytes) {
            showMessage(MessageKind::Error, kPathTooLong, mbOK);
            return false;
        }
        if (skipRule || CanSaveInFolder(*chosen, uacOn)) {
            folder = *chosen;
            return true;
        }
        if (AskSaveInDocuments()) {
            folder = GetMyDocumentsDir();
            return true;
        }
    }
}

bool ExecuteSaveDialog(TSaveDialog& dialog, QString& fileName) {
    const bool uacOn = IsUserAccountControlOn();
    for (;;) {
        const std::optional<QString> chosen = shellDialogs().runSaveDialog(dialog);
        if (!chosen)
            return false;
        dialog.FileName = *chosen;
        const QFileInfo file(*chosen);
        if (!CanSaveInFolder(file.path(), uacOn)) {
            if (!AskSaveInDocuments())
                continue;
            dialog.FileName = GetMyDocumentsDir() + u'/' + file.fileName();
        }
        fileName = dialog.FileName;
        return true;
    }
}

bool SelectComputer(const QString& title, QString& name) {
    const std::optional<QString> chosen = shellDialogs().browseComputer(title);
    if (!chosen)
        return false;
    name = *chosen;
    return true;
}

} // namespace core
