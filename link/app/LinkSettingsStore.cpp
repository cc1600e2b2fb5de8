#include "link/app/LinkSettingsStore.h"

#include "core/EIBError.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/settings/AccRegBlob.h"
#include "core/ui/MessageService.h"
#include "platform/Cp932.h"

#include <QFile>
#include <QSaveFile>

#include <stdexcept>

namespace taxlink {

namespace {

const QString kEquitySection = QStringLiteral("HJ_株主資本等変動計算書");

// A database error goes to the central reporter (log and box); anything else is shown as it is.
void ShowFailure(const std::exception& e, const QString& context, const QString& message) {
    if (const auto* db = dynamic_cast<const core::EIBError*>(&e)) {
        core::ReportFbAccessError(*db, context, message, 0);
        return;
    }
    core::showMessage(core::MessageKind::Error, message + QLatin1Char('\r') + core::exceptionText(e), core::mbOK);
}

// The old place: XSTR7 of the facility ' ' (the last row wins).
QString ReadOldSettings(core::TDM& dm) {
    core::TransactionScope scope(dm.IBTransactionDAT);
    core::TIBSQL query(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
    query.sql() << QStringLiteral("SELECT XSTR7 FROM SISETUMST") << QStringLiteral("WHERE SCODE=' '");
    QString text;
    for (query.execQuery(); !query.eof(); query.next())
        text = query.fieldByName(QStringLiteral("XSTR7")).asString();
    query.close();
    scope.commit();
    return text;
}

// The new place takes the text and the old place is emptied in one transaction.
void MoveOldSettings(core::TDM& dm, const QString& text) {
    core::TransactionScope scope(dm.IBTransactionDAT);
    core::funcPutAccRegBlob(kLinkSettingsGroup, kLinkSettingsKey, core::kBlobTypeMemo, text);
    core::TIBSQL clear(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
    clear.sql() << QStringLiteral("UPDATE SISETUMST SET XSTR7=''") << QStringLiteral("WHERE SCODE=' '");
    clear.execSQL();
    scope.commit();
}

void WriteSettingsFile(const QString& path, const QString& text) {
    QSaveFile file(path);
    const QByteArray bytes = platform::toCp932(text);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error(QStringLiteral("「%1」に書き込めません（%2）。").arg(path, file.errorString()).toStdString());
}

QString ReadSettingsFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("「%1」を読み込めません（%2）。").arg(path, file.errorString()).toStdString());
    return platform::fromCp932(file.readAll());
}

} // namespace

bool LoadLinkSettings(const QString& dkRendoPath) {
    try {
        core::TDM& dm = core::RequireDM();
        const QString oldText = ReadOldSettings(dm);
        if (oldText.contains(kEquitySection))
            MoveOldSettings(dm, oldText);
        const QVariant stored = core::funcGetAccRegBlob(kLinkSettingsGroup, kLinkSettingsKey);
        WriteSettingsFile(dkRendoPath, stored.isValid() ? stored.toString() : QString());
        return true;
    } catch (const std::exception& e) {
        QFile::remove(dkRendoPath);
        ShowFailure(e, QStringLiteral("TForm1.LoadLinkSettings"), QStringLiteral("連動設定の読み込みに失敗しました。"));
        return false;
    }
}

bool StoreLinkSettings(const QString& dkRendoPath) {
    try {
        const QString text = ReadSettingsFile(dkRendoPath);
        core::funcPutAccRegBlob(kLinkSettingsGroup, kLinkSettingsKey, core::kBlobTypeMemo, text);
        return true;
    } catch (const std::exception& e) {
        ShowFailure(e, QStringLiteral("TForm1.StoreLinkSettings"), QStringLiteral("連動設定の保存に失敗しました。"));
        return false;
    }
}

} // namespace taxlink
