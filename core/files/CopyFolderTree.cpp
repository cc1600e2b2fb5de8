#include "core/files/FolderTree.h"

#include "core/errors/DetailMessage.h"
#include "core/files/ProtectedFolders.h"
#include "core/files/ResolvedPath.h"
#include "core/ui/MessageService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace core {

namespace fs = std::filesystem;

namespace {

fs::path toFsPath(const QString& path) {
    return fs::path(QFile::encodeName(path).toStdString());
}

// True when inner is outer or lies below it.
bool isSameOrBelow(const QString& inner, const QString& outer) {
    return inner == outer || inner.startsWith(outer == u"/" ? outer : outer + u'/');
}

void showCopyError(const QString& source, const QString& target, const QString& reason) {
    showMessage(MessageKind::Error, QStringLiteral("%1 を %2 へ複写できませんでした。\r%3").arg(source, target, reason));
}

} // namespace

bool CopyFolderTree(const QString& source, const QString& target) {
    const bool contentsOnly = source.endsWith(QStringLiteral("/*"));
    const QString sourceFolder = contentsOnly ? source.left(source.size() - 2) : source;
    if (!IsNotRootOrSystemDir(sourceFolder) || !IsNotRootOrSystemDir(target)) {
        ShowCommaMessage(QStringLiteral("指定ディレクトリ[%1->%2]の複写・移動はできません。 ").arg(source, target),
                         MessageKind::Error);
        return false;
    }
    const QString from = FolderOperationPath(sourceFolder);
    const QFileInfo fromInfo(from);
    if (!fromInfo.exists() || (contentsOnly && !fromInfo.isDir())) {
        showCopyError(source, target, QStringLiteral("複写元が見つかりません。"));
        return false;
    }
    QString to = FolderOperationPath(target);
    if (!contentsOnly && QFileInfo(to).isDir())
        to = QDir(to).filePath(fromInfo.fileName());
    if (fromInfo.isDir() && isSameOrBelow(KernelResolvedPath(to, true), KernelResolvedPath(from, true))) {
        showCopyError(source, target, QStringLiteral("複写先が複写元のフォルダの中にあります。"));
        return false;
    }
    try {
        if (fromInfo.isDir() || contentsOnly)
            fs::create_directories(toFsPath(to));
        else
            fs::create_directories(toFsPath(to).parent_path());
        fs::copy(toFsPath(from), toFsPath(to),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing | fs::copy_options::copy_symlinks);
    } catch (const fs::filesystem_error& e) {
        showCopyError(source, target, QString::fromLocal8Bit(e.code().message()));
        return false;
    }
    return true;
}

} // namespace core
