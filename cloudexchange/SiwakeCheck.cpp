// The check of a journal entry before it is stored (TestSiwake): the rules in order, the first
// that fails giving its code and message; on the way the entry is completed from the masters.
#include "cloudexchange/SiwakeWrite.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/dates/Periods.h"
#include "core/dm/TDM.h"
#include "core/errors/FbAccessError.h"
#include "core/tax/TaxCodeChecks.h"
#include "core/tax/TaxCodes.h"
#include "core/tax/ZeiRitu.h"
#include "core/text/SjisText.h"

namespace cloudexchange {

namespace {

// The messages of the check: [0] interactive entry, [1] data transfer.
struct SiwakeMessage {
    const char* variants[2];
};

enum MessageRow {
    mPeriod, mAudited, mAuditDate, mApproved, mKobetu, mFacility,
    mDebitAccount, mDebitHojo, mDebitBumon, mDebitTax,
    mCreditAccount, mCreditHojo, mCreditBumon, mCreditTax,
    mRates, mAmountBelowOne, mAmountNegative, mAmountTooLarge
};

const SiwakeMessage kMessages[] = {
    {{"日付が会計期間外または、決算区分の指定が不正です。", "日付が会計期間外または、決算区分の設定が不正です。"}},
    {{"監査済みの仕訳は訂正できません。", "監査済みの仕訳が設定されました。"}},
    {{"監査済みの日付は入力できません。", "日付に監査済みの日付が設定されました。"}},
    {{"承認済みの仕訳は訂正できません。", "承認済みの仕訳が設定されました。"}},
    {{"個別原価コードが見つかりません。", "個別原価コードの設定が不正です。"}},
    {{"本・支店コードが不正です。データを選択し直してください。", "本・支店コードが不正です。"}},
    {{"借方の科目コードが見つかりません。", "借方の科目コードの設定が不正です。"}},
    {{"借方の補助コードを入力してください。", "借方の補助コードの設定が不正です。"}},
    {{"借方の部門コードが見つかりません。", "借方の部門コードの設定が不正です。"}},
    {{"借方の消費税コードを確認してください。", "借方の消費税コードの設定が不正です。"}},
    {{"貸方の科目コードが見つかりません。", "貸方の科目コードの設定が不正です。"}},
    {{"貸方の補助コードを入力してください。", "貸方の補助コードの設定が不正です。"}},
    {{"貸方の部門コードが見つかりません。", "貸方の部門コードの設定が不正です。"}},
    {{"貸方の消費税コードを確認してください。", "貸方の消費税コードの設定が不正です。"}},
    {{"借方と貸方の消費税率が違います。", "借方と貸方の消費税率が違います。"}},
    {{"金額を入力してください。", "金額の設定が不正です。（０円 または null）"}},
    {{"マイナス金額は入力できません。", "金額にマイナス値が設定されました。"}},
    {{"金額桁数がオーバーしています。", "金額の設定が不正です。（桁数オーバー）"}},
};

QString messageOf(MessageRow row, quint8 dataMode) {
    return QString::fromUtf8(kMessages[row].variants[dataMode == 1 ? 1 : 0]);
}

bool isAfterZero(const QDateTime& t) { return t.isValid() && t.date() > QDate(1899, 12, 30); }

// Stored values of an entry being updated: user codes, codes and names of both sides.
enum StoredColumn { sKCODE, sUSERCODE, sHCODE, sBCODE, sKNAME, sHNAME, sBNAME };

} // namespace

bool TSiwakeWrite::TestSiwake(core::TSWKREC& rec, qint32& code, QString& message) {
    code = 0;
    message.clear();
    beginAuto();
    // The lookups inside the check run in the check's transaction; only the check ends it.
    const bool autoCommit = AutoCommit;
    AutoCommit = false;
    auto finish = [&] {
        sql_.close();
        AutoCommit = autoCommit;
        commitAuto();
    };
    try {
        const bool result = runTestSiwake(rec, code, message);
        finish();
        return result;
    } catch (const core::EIBError& e) {
        core::ReportFbAccessError(e, QStringLiteral("TSiwakeWrite.TestSiwake"), QString(), 0);
        finish();
        throw;
    } catch (...) {
        finish();
        throw;
    }
}

bool TSiwakeWrite::runTestSiwake(core::TSWKREC& rec, qint32& code, QString& message) {
    auto fail = [&](qint32 c, const QString& m) {
        code = c;
        message = m;
        return false;
    };
    const core::TACCINF& acc = core::AccInf;

    // 1. The stored entry's codes and names.
    QStringList storedDebit, storedCredit;
    if (rec.REC != 0) {
        sql_.close();
        sql_.sql().clear();
        sql_.sql() << QStringLiteral("SELECT KCODE,USERCODE,HCODE,BCODE,KNAME,HNAME,BNAME,R_KCODE,R_USERCODE,R_HCODE,R_BCODE,R_KNAME,R_HNAME,R_BNAME FROM SIWAKE_VIEW")
                   << QStringLiteral("WHERE REC=:REC");
        sql_.paramByName(QStringLiteral("REC")).setInteger(rec.REC);
        sql_.execQuery();
        if (!sql_.eof()) {
            for (int i = 0; i < 7; ++i)
                storedDebit << sql_.fields(i).asString();
            for (int i = 7; i < 14; ++i)
                storedCredit << sql_.fields(i).asString();
        }
        sql_.close();
    }

    // 2. Period.
    const QDate date = rec.HIZUKE.date();
    int period = core::DateToPeriodNo(acc.SIME, rec.KESSAN, acc.KISHU, acc.KIMATU, date);
    if (core::SystemDef.PeriodShift > 0)
        period += 16;
    else if (rec.KESSAN == 1 && date == acc.KIMATU)
        period = 16;
    if (period == -1 || !date.isValid() || (acc.KAISI.isValid() && date < acc.KAISI) || date > acc.KIMATU)
        return fail(1, messageOf(mPeriod, DataMode));
    rec.MNUM = period;

    // 3. Audit lock.
    if (acc.KANSA_LOCK == 1) {
        if (core::SystemDef.Supervisor != 1 && core::SystemDef.JobLevel != 9 && isAfterZero(rec.CTIME))
            return fail(2, messageOf(mAudited, DataMode));
        if (core::DM->IsKansaLockDate(quint8(rec.KESSAN), date))
            return fail(3, messageOf(mAuditDate, DataMode));
    }

    // 4. Approval.
    if (CheckOptions[6] && isAfterZero(rec.SHONIN_HIZUKE))
        return fail(40, messageOf(mApproved, DataMode));

    // 5. Individual cost.
    if (CheckOptions[5] && acc.KobetuGenkaUse == 1 && rec.SNUM != 0) {
        const int width = 3 + qBound(0, int(acc.KobetuGenkaDigits), 3);
        if (!FindKobetuCode(core::ZeroPadLeft(QString::number(rec.SNUM), width)))
            return fail(4, messageOf(mKobetu, DataMode).replace(QStringLiteral("個別原価"), acc.KobetuGenkaName));
    }

    // 6. Facility.
    if (acc.SITEN == 1 && rec.SCODE.trimmed().isEmpty()) {
        QString text = messageOf(mFacility, DataMode);
        if (acc.DATATYPE == 3)
            text.replace(QStringLiteral("本・支店"), QStringLiteral("施設"));
        return fail(5, text);
    }

    // 7-10. Accounts and tax codes of both sides.
    if (CheckOptions[1] && !checkSide(rec, true, storedDebit, code, message))
        return false;
    if (CheckOptions[2] && !checkSideTax(rec, true, code, message))
        return false;
    if (CheckOptions[1] && !checkSide(rec, false, storedCredit, code, message))
        return false;
    if (CheckOptions[2] && !checkSideTax(rec, false, code, message))
        return false;

    // 11. Rates.
    const bool debitRate = rec.Debit.RIT.raw > 0;
    const bool creditRate = rec.Credit.RIT.raw > 0;
    if (debitRate && creditRate && rec.Debit.RateCode != rec.Credit.RateCode)
        return fail(41, messageOf(mRates, DataMode));
    if (!debitRate && !creditRate)
        rec.OLDRATE = core::GetZeiRituCode(0, date);

    // 12. Amount in yen.
    if (CheckOptions[3]) {
        if (rec.KINGAKU.raw < core::Currency::scale)
            return fail(31, messageOf(rec.KINGAKU.raw < 0 ? mAmountNegative : mAmountBelowOne, DataMode));
        if (rec.KINGAKU > core::Currency::fromInt(9999999999LL))
            return fail(31, messageOf(mAmountTooLarge, DataMode));
    }

    // 13. Texts.
    if (CheckOptions[4]) {
        rec.TEKTEXT = core::RemoveTabCrLf(rec.TEKTEXT);
        rec.TORTEXT = core::RemoveTabCrLf(rec.TORTEXT);
    }
    return true;
}

// Account, sub-account and department of one side, completed from the master.
bool TSiwakeWrite::checkSide(core::TSWKREC& rec, bool debit, const QStringList& stored, qint32& code,
                             QString& message) {
    core::TSwkBalance& side = debit ? rec.Debit : rec.Credit;
    const qint32 failCode = debit ? 11 : 21;
    if (!GetKamokuInfo(rec.SCODE, side.BCODE, side.KCODE, side.HCODE)) {
        code = failCode;
        message = messageOf(debit ? mDebitAccount : mCreditAccount, DataMode);
        return false;
    }
    side.KGROUP = KamokuInfo.Kamoku.GROUPM1;
    side.SIKIN = debit ? KamokuInfo.Kamoku.FUN_LCODE : KamokuInfo.Kamoku.FUN_RCODE;
    side.HCODE = KamokuInfo.HCODE.isEmpty() ? QStringLiteral(" ") : KamokuInfo.HCODE;
    side.BCODE = KamokuInfo.BCODE;
    if (rec.REC == 0 || stored.size() < 7) {
        side.KNAME = KamokuInfo.Kamoku.KNAME;
        side.HNAME = KamokuInfo.HNAME;
        side.BNAME = KamokuInfo.BNAME;
    } else {
        const bool userCodeChanged = side.KCODE.trimmed() != stored[sUSERCODE].trimmed();
        if (side.KNAME != stored[sKNAME] || userCodeChanged)
            side.KNAME = KamokuInfo.Kamoku.KNAME;
        if (side.HNAME != stored[sHNAME] || userCodeChanged || side.HCODE.trimmed() != stored[sHCODE].trimmed())
            side.HNAME = KamokuInfo.HNAME;
        if (side.BNAME != stored[sBNAME] || side.BCODE.trimmed() != stored[sBCODE].trimmed())
            side.BNAME = KamokuInfo.BNAME;
    }
    auto count = [&](const QString& condition) {
        sql_.close();
        sql_.sql().clear();
        sql_.sql() << QStringLiteral("SELECT COUNT(K.SCODE) FROM KAMOKU_SZ K")
                   << QStringLiteral("INNER JOIN KAMOKUMST KM ON (K.KCODE=KM.KCODE)") << condition;
        sql_.paramByName(QStringLiteral("SCODE")).setString(rec.SCODE);
        sql_.paramByName(QStringLiteral("USERCODE")).setString(side.KCODE);
        sql_.execQuery();
        const int n = sql_.eof() ? 0 : sql_.fields(0).asInteger();
        sql_.close();
        return n;
    };
    if (count(QStringLiteral("WHERE (K.SCODE=:SCODE) AND (KM.USERCODE=:USERCODE) AND (K.BCODE=' ')")) >= 2 &&
        side.HCODE.trimmed().isEmpty()) {
        code = failCode;
        message = messageOf(debit ? mDebitHojo : mCreditHojo, DataMode);
        return false;
    }
    if (count(QStringLiteral("WHERE (K.SCODE=:SCODE) AND (KM.USERCODE=:USERCODE) AND (K.HCODE=' ') AND (K.BCODE<>' ')")) >= 1 &&
        side.BCODE.trimmed().isEmpty()) {
        code = failCode;
        message = messageOf(debit ? mDebitBumon : mCreditBumon, DataMode);
        return false;
    }
    return true;
}

// The tax-code rules of one side, in order; codes 12-16 (debit) and 22-26 (credit).
bool TSiwakeWrite::checkSideTax(core::TSWKREC& rec, bool debit, qint32& code, QString& message) {
    core::TSwkBalance& side = debit ? rec.Debit : rec.Credit;
    core::TSwkBalance& other = debit ? rec.Credit : rec.Debit;
    const qint32 base = debit ? 10 : 20;
    core::NormalizeTaxCode(side.TAXCODE);
    QString group, name;
    qint32 salesClass = 0, taxableKind = 0, sideClass = 0;
    const bool listed = core::GetTaxCodeName(side.TAXCODE, group, name, salesClass, taxableKind, sideClass);
    side.TAXUH = taxableKind;
    side.TAXDC = sideClass;
    if (!listed) {
        code = base + 2;
        message = messageOf(debit ? mDebitTax : mCreditTax, DataMode);
        return false;
    }
    QString text;
    if (!core::CheckKamokuTaxCode(text, side.KCODE, side.TAXCODE)) {
        code = base + 3;
        message = text;
        return false;
    }
    if (!core::CheckAiteTaxCode(text, side.KCODE, other.TAXCODE)) {
        code = base + 4;
        message = text;
        return false;
    }
    if (!core::CheckSyokutiTaxCode(text, side.KCODE, side.TAXCODE)) {
        code = base + 5;
        message = text;
        return false;
    }
    if (!core::CheckTokuteiSiireTaxCode(text, side.TAXCODE, rec.OLDRATE, rec.HIZUKE.date())) {
        code = base + 6;
        message = text;
        return false;
    }
    return true;
}

} // namespace cloudexchange
