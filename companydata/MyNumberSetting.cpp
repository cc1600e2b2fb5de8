// The three My Number settings of a data set: reading (and clearing for a backup without them)
// and writing them back.
#include "companydata/MyNumberCodec.h"
#include "companydata/MyNumberDataSet.h"
#include "companydata/MyNumberIO.h"

#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/settings/AccReg.h"
#include "core/text/SjisText.h"

namespace companydata {

namespace {

const QString kGroup = QStringLiteral("基本設定");
const QString kUse = QStringLiteral("＃USE");
const QString kKey = QStringLiteral("＃KEY");
const QString kValue = QStringLiteral("＃VALUE");
const QString kInteger = QStringLiteral("整数");
const QString kText = QStringLiteral("文字");

// A stored text setting, decoded. The store reads an empty text as " "; the encoded form has
// no blanks, so trimming loses nothing.
QString readEncoded(const QString& key) {
    const QString stored = core::TrimBlanks(core::funcGetAccReg(kGroup, key, kText, QString()).toString());
    return stored.isEmpty() ? QString() : DecodeMyNumberSetting(stored);
}

void writeEncoded(const QString& key, const QString& value) {
    const QString encoded = EncodeMyNumberSetting(value);
    if (!encoded.isEmpty())
        core::funcPutAccReg(kGroup, key, kText, encoded);
}

} // namespace

void TMyNumberIO::GetMyNumberSetting(const QString& host, const QString& databaseFile, const QString& option,
                                     const QString& procName) {
    UseMyNumber = 0;
    MyNumberKey.clear();
    MyNumberValue.clear();
    try {
        WorkOnMyNumberDataSet(host, databaseFile, [&] {
            core::TransactionScope scope(core::RequireDM().IBTransactionDAT);
            UseMyNumber = core::funcGetAccReg(kGroup, kUse, kInteger, QStringLiteral("0")).toInt();
            MyNumberKey = readEncoded(kKey);
            MyNumberValue = readEncoded(kValue);
            if (option.toUpper() == QStringLiteral("MYNUMBER_CLEAR")) {
                core::funcPutAccReg(kGroup, kUse, kInteger, 0);
                core::funcDeleteAccReg(kGroup, kKey);
                core::funcDeleteAccReg(kGroup, kValue);
                InitLogRec(LogRec, kMyNumberDeleted,
                           procName.isEmpty() ? QStringLiteral("アプリケーション") : procName);
                AddLog(LogRec);
            }
            scope.commit();
        });
    } catch (const std::exception& e) {
        core::ShowMessageWithDetail(QStringLiteral("マイナンバー情報の取得に失敗しました。"), core::exceptionText(e),
                                    core::MessageKind::Error);
    }
}

void TMyNumberIO::PutMyNumberSetting(const QString& host, const QString& databaseFile) {
    if (UseMyNumber != 1)
        return;
    WorkOnMyNumberDataSet(host, databaseFile, [this] {
        core::TransactionScope scope(core::RequireDM().IBTransactionDAT);
        core::funcPutAccReg(kGroup, kUse, kInteger, UseMyNumber);
        writeEncoded(kKey, MyNumberKey);
        writeEncoded(kValue, MyNumberValue);
        scope.commit();
        // Removes the clearing row that GetMyNumberSetting wrote into the live data set.
        DeleteLog(LogRec);
    });
}

} // namespace companydata
