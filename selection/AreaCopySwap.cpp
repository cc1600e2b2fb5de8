#include "selection/AreaCopySwap.h"

#include "companydata/DataSentakuListCtl.h"
#include "core/files/FolderTree.h"
#include "core/files/PathDelim.h"
#include "core/text/SjisText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace selection {

namespace {

// A work name beside the path: ".<name>.haritsuke-<what>".
QString workPath(const QString& path, const QString& what)
{
    const QFileInfo info(core::ExcludePathDelim(path));
    return info.path() + QStringLiteral("/.") + info.fileName() + companydata::kPasteWorkMarker + QLatin1Char('-') + what;
}

// rename(2): replaces an existing file in one step.
bool renameOver(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

void removeQuietly(const QString& path)
{
    if (QFileInfo::exists(path))
        core::DeleteFolderTree(path, false, false);
}

} // namespace

QString CopyNameOf(const QString& entText)
{
    return core::TrimZenkaku(core::LeftStrB(entText + QStringLiteral("～コピー"), 40));
}

TAreaCopySwap::TAreaCopySwap()
{
    CopyTree = [](const QString& source, const QString& target) {
        return core::CopyFolderTree(source + QStringLiteral("/*"), target);
    };
    CopyFile = [](const QString& source, const QString& target) { return core::CopyFileTo(source, target); };
}

bool TAreaCopySwap::CopyArea(const QString& source, const QString& target)
{
    const QString staging = workPath(target, QStringLiteral("new"));
    const QString aside = workPath(target, QStringLiteral("old"));
    removeQuietly(staging);
    removeQuietly(aside);
    if (!QDir().mkpath(staging))
        return false;
    if (!CopyTree(source, staging)) {
        removeQuietly(staging);
        return false;
    }
    const bool hadTarget = QFileInfo::exists(target);
    if (hadTarget && !renameOver(target, aside)) {
        removeQuietly(staging);
        return false;
    }
    if (!renameOver(staging, target)) {
        if (hadTarget)
            renameOver(aside, target);
        removeQuietly(staging);
        return false;
    }
    removeQuietly(aside);
    return true;
}

bool TAreaCopySwap::CopyDatabaseFile(const QString& sourceFile, const QString& targetFile)
{
    const QString temporary = workPath(targetFile, QStringLiteral("new"));
    QFile::remove(temporary);
    if (!CopyFile(sourceFile, temporary) || !renameOver(temporary, targetFile)) {
        QFile::remove(temporary);
        return false;
    }
    return true;
}

} // namespace selection
