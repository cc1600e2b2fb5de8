#include "cloudexchange/CashBookSyoriLog.h"

#include "core/os/SaveLocationRule.h"
#include "core/os/ShellDialogs.h"
#include "core/Globals.h"
#include "core/Exception.h"
#include "platform/Cp932.h"

#include <QFile>
#include <QFileInfo>

namespace cloudexchange {

qint32 SyoriResultOf(const core::TTessaroSyoriLog& log) {
    if (log.isEmpty())
        return 0;
    for (const core::TTessaroSyoriInfo& row : log)
        if (row.Kind == skError)
            return row.Code;
    for (const core::TTessaroSyoriInfo& row : log)
        if (row.Code == 1)
            return row.Code;
    return log.last().Code;
}

QString SyoriKindCaption(quint8 kind) {
    switch (kind) {
    case skInfo: return QStringLiteral("情報");
    case skWarning: return QStringLiteral("警告");
    case skError: return QStringLiteral("エラー");
    default: return {};
    }
}

namespace {

QString exportField(QString value, bool tabSeparated) {
    if (tabSeparated) {
        value.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
        return value + u'\t';
    }
    value.replace(QStringLiteral("'"), QStringLiteral("''"));
    return u'\'' + value + QStringLiteral("',");
}

} // namespace

QByteArray SyoriLogExportBytes(const core::TTessaroSyoriLog& log, bool tabSeparated) {
    QString text;
    for (const core::TTessaroSyoriInfo& row : log) {
        text += exportField(SyoriKindCaption(row.Kind), tabSeparated);
        text += exportField(QString::number(row.Code), tabSeparated);
        text += exportField(row.Text, tabSeparated);
        text += QStringLiteral("\r\n\r\n");
    }
    return platform::toCp932(text);
}

bool ExportSyoriLog(const core::TTessaroSyoriLog& log) {
    core::TSaveDialog dialog;
    dialog.Title = QStringLiteral("ファイル出力");
    dialog.Filter = QStringLiteral("ＣＳＶシート(*.csv)|*.CSV|テキストファイル(*.txt)|*.TXT");
    dialog.InitialDir = core::SystemDef.DocumentsDir;
    dialog.DefaultExt = QStringLiteral("csv");
    dialog.FileName = QStringLiteral("現金出納帳の受信ログ");
    const std::optional<QString> chosen = core::shellDialogs().runSaveDialog(dialog);
    if (!chosen)
        return false;
    QString path = *chosen;
    const bool tabSeparated = QFileInfo(path).suffix().compare(QStringLiteral("txt"), Qt::CaseInsensitive) == 0;
    if (!core::CheckSaveFilePath(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(SyoriLogExportBytes(log, tabSeparated)) < 0 || !file.flush())
        throw core::Exception(QStringLiteral("ファイル「%1」に書き込めません。").arg(path));
    return true;
}

TSyoriLogOwner::TSyoriLogOwner(const QString& name) { SyoriInfo.Name = name; }

void TSyoriLogOwner::AddSyoriLog() {
    core::TTessaroSyoriInfo row;
    row.Kind = SyoriInfo.Kind;
    row.Code = SyoriInfo.Code;
    row.Text = SyoriInfo.Text;
    SyoriLog << row;
    GetSyoriResult();
    if (RowAdded)
        RowAdded(row);
}

void TSyoriLogOwner::AddSyoriLog(quint8 kind, qint32 code, const QString& text) {
    SyoriInfo.Kind = kind;
    SyoriInfo.Code = code;
    SyoriInfo.Text = text;
    AddSyoriLog();
}

qint32 TSyoriLogOwner::GetSyoriResult() {
    SyoriResult = SyoriResultOf(SyoriLog);
    return SyoriResult;
}

void TSyoriLogOwner::InitSyori() {
    SyoriResult = 0;
    SyoriInfo.Kind = 0;
    SyoriInfo.Code = 0;
    SyoriInfo.Text.clear();
    SyoriLog.clear();
}

} // namespace cloudexchange
