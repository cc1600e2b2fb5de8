#include "core/settings/GamenKeyValue.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/settings/StyleColor.h"
#include "core/text/SjisText.h"

namespace core {

namespace {

constexpr int kKeyBytes = 40;
constexpr int kValueBytes = 1024;

QString upperAscii(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 'a' + 'A');
    return out;
}

// Runs work on the system transaction. Failures are reported (and the transaction committed)
// only when the work started the transaction; inside a caller's transaction they are dropped.
template <typename Work>
void runOnSystemTransaction(const QString& context, const QString& message, Work work) {
    if (!DM)
        return;
    TIBTransaction& transaction = DM->IBTransactionDEF;
    const bool own = !transaction.inTransaction();
    auto commitOwn = [&] {
        if (own && transaction.inTransaction())
            transaction.commit();
    };
    try {
        if (own)
            transaction.startTransaction();
        TIBSQL q(&DM->IBDatabaseDEF, &transaction);
        work(q);
        commitOwn();
        return;
    } catch (const EIBError& e) {
        if (own)
            ReportFbAccessError(e, context, message, 0);
    } catch (const std::exception& e) {
        if (own)
            ShowMessageWithDetail(message, exceptionText(e), MessageKind::Error);
    }
    try {
        commitOwn();
    } catch (const std::exception&) {
        if (transaction.inTransaction())
            try {
                transaction.rollback();
            } catch (const std::exception&) {
            }
    }
}

} // namespace

TGamenKeyValue::TGamenKeyValue() : OpCode(SystemDef.OPCODE) {}

void TGamenKeyValue::SetGamenName(const QString& screenName) {
    StyleName = TrimBlanks(LeftStrB(upperAscii(KeyPrefix + screenName), kKeyBytes));
}

void TGamenKeyValue::FukugenValue(const QString& screenName, QString& text) {
    ClearValue();
    if (OpCode == 0 || screenName.isEmpty())
        return;
    SetGamenName(screenName);
    const QString message = QStringLiteral("前回の画面値の取得に失敗しました。");
    runOnSystemTransaction(QStringLiteral("TGamenValue.FukugenValue"), message, [&](TIBSQL& q) {
        bool found = false;
        const QString sstr = ReadStyleColorSstr(q, OpCode, StyleName, &found);
        if (found)
            text = sstr;
    });
}

void TGamenKeyValue::HozonValue(const QString& screenName, const QString& text) {
    if (OpCode == 0 || screenName.isEmpty())
        return;
    SetGamenName(screenName);
    Value = TrimZenkaku(text);
    if (SjisBytes(Value).size() > kValueBytes)
        Value = TrimZenkaku(LeftStrB(Value, kValueBytes));
    const QString message = QStringLiteral("画面値の保存に失敗しました。");
    runOnSystemTransaction(QStringLiteral("TGamenValue.HozonValue"), message,
                           [&](TIBSQL& q) { StoreStyleColor(q, OpCode, StyleName, kNoStyleColors, Value); });
}

} // namespace core
