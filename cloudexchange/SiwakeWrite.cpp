#include "cloudexchange/SiwakeWrite.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/FbAccessError.h"
#include "core/os/DelayWithMessages.h"
#include "core/tax/ZeiRitu.h"
#include "core/version/Version.h"

#include <QDateTime>

namespace cloudexchange {

namespace {

constexpr long kLockConflict = 335544345;

// The placeholders both procedures take after their own leading ones.
const QString kCommonParams = QStringLiteral(
    ":HIZUKE,:MNUM,:KESSAN,:SDAYNUM,:MDAYNUM,:DNUM,:SNUM,:SCODE,:L_KGROUP,:L_KCODE,:L_HCODE,:L_BCODE,"
    ":L_KNAME,:L_HNAME,:L_BNAME,:L_TAXCODE,:L_TAXUH,:L_TAXDC,:L_NUK,:L_ZEI,:L_RIT,:L_SIKIN,:R_KGROUP,:R_KCODE,"
    ":R_HCODE,:R_BCODE,:R_KNAME,:R_HNAME,:R_BNAME,:R_TAXCODE,:R_TAXUH,:R_TAXDC,:R_NUK,:R_ZEI,:R_RIT,:R_SIKIN,"
    ":KINGAKU,:ZEIGAKU,:ZEIRITUNO,:AUTCALCU,:TAXCALCU,:OLDRATE,:TEKCODE,:TEKTEXT,:TORCODE,:TORTEXT, :FUSEN1,"
    ":FUSEN2,:FUSEN3,:FUSEN4,:FUSEN5,:CTIME,:COMMENT,:AO_COMMENT,:LINKKEY,:LINKKUB,:LINKREC,:LOCALFLG,:Reserve1,"
    ":Reserve2,:OPNCODE ");

void report(const core::EIBError& e, const char* method) {
    core::ReportFbAccessError(e, QStringLiteral("TSiwakeWrite.") + QLatin1String(method), QString(), 0);
}

} // namespace

bool DataVersionAtLeast(int major, int minor, int release) {
    return core::VersionGreaterOrEqual(
        QStringLiteral("%1.%2.%3").arg(core::AccInf.DataMajor).arg(core::AccInf.DataMinor1).arg(core::AccInf.DataMinor2),
        QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(release));
}

TSiwakeWrite::TSiwakeWrite(core::TIBDatabase* database)
    : database_(database ? database : &core::DM->IBDatabaseDAT) {
    sql_.setDatabase(database_);
    SetDefaultChecks();
}

void TSiwakeWrite::SetTransaction(core::TIBTransaction* transaction) {
    transaction_ = transaction;
    sql_.setTransaction(transaction);
    sql_.setDatabase(database_);
}

void TSiwakeWrite::SetDefaultChecks() { CheckOptions.fill(true); }

bool TSiwakeWrite::beginAuto() {
    if (AutoCommit && transaction_ && !transaction_->inTransaction()) {
        transaction_->startTransaction();
        return true;
    }
    return false;
}

void TSiwakeWrite::commitAuto() {
    if (!AutoCommit)
        return;
    AutoCommit = false;
    if (transaction_ && transaction_->inTransaction())
        transaction_->commit();
}

// Only a transaction the writer started is rolled back: the caller's stays the caller's.
void TSiwakeWrite::rollbackAuto(bool started) {
    if (!AutoCommit)
        return;
    AutoCommit = false;
    if (started && transaction_ && transaction_->inTransaction()) {
        try {
            transaction_->rollback();
        } catch (const std::exception&) {
        }
    }
}

void TSiwakeWrite::bindCommon(const core::TSWKREC& rec) {
    auto p = [this](const char* name) -> core::IBSQLParam& { return sql_.paramByName(QLatin1String(name)); };
    p("HIZUKE").setDateTime(rec.HIZUKE);
    p("MNUM").setInteger(rec.MNUM);
    p("KESSAN").setInteger(rec.KESSAN);
    p("SDAYNUM").setInteger(rec.SDAYNUM);
    p("MDAYNUM").setInteger(rec.MDAYNUM);
    p("DNUM").setInteger(rec.DNUM);
    p("SNUM").setInteger(rec.SNUM);
    p("SCODE").setString(rec.SCODE);
    auto side = [&](const QString& prefix, const core::TSwkBalance& s) {
        sql_.paramByName(prefix + QStringLiteral("KGROUP")).setString(s.KGROUP);
        sql_.paramByName(prefix + QStringLiteral("KCODE")).setString(s.KCODE);
        sql_.paramByName(prefix + QStringLiteral("HCODE")).setString(s.HCODE);
        sql_.paramByName(prefix + QStringLiteral("BCODE")).setString(s.BCODE);
        sql_.paramByName(prefix + QStringLiteral("KNAME")).setString(s.KNAME);
        sql_.paramByName(prefix + QStringLiteral("HNAME")).setString(s.HNAME);
        sql_.paramByName(prefix + QStringLiteral("BNAME")).setString(s.BNAME);
        sql_.paramByName(prefix + QStringLiteral("TAXCODE")).setInteger(s.TAXCODE);
        sql_.paramByName(prefix + QStringLiteral("TAXUH")).setInteger(s.TAXUH);
        sql_.paramByName(prefix + QStringLiteral("TAXDC")).setInteger(s.TAXDC);
        sql_.paramByName(prefix + QStringLiteral("NUK")).setCurrency(s.NUK);
        sql_.paramByName(prefix + QStringLiteral("ZEI")).setCurrency(s.ZEI);
        sql_.paramByName(prefix + QStringLiteral("RIT")).setCurrency(s.RIT);
        sql_.paramByName(prefix + QStringLiteral("SIKIN")).setInteger(s.SIKIN);
    };
    side(QStringLiteral("L_"), rec.Debit);
    side(QStringLiteral("R_"), rec.Credit);
    p("KINGAKU").setCurrency(rec.KINGAKU);
    p("ZEIGAKU").setCurrency(rec.ZEIGAKU);
    p("ZEIRITUNO").setInteger(rec.ZEIRITUNO);
    p("AUTCALCU").setInteger(rec.AUTCALCU);
    p("TAXCALCU").setInteger(rec.TAXCALCU);
    p("OLDRATE").setInteger(rec.OLDRATE);
    p("TEKCODE").setInteger(rec.TEKCODE);
    p("TEKTEXT").setString(rec.TEKTEXT);
    p("TORCODE").setInteger(rec.TORCODE);
    p("TORTEXT").setString(rec.TORTEXT);
    p("FUSEN1").setInteger(rec.FUSEN1);
    p("FUSEN2").setInteger(rec.FUSEN2);
    p("FUSEN3").setInteger(rec.FUSEN3);
    p("FUSEN4").setInteger(rec.FUSEN4);
    p("FUSEN5").setInteger(rec.FUSEN5);
    p("CTIME").setDateTime(rec.CTIME);
    p("COMMENT").setString(rec.COMMENT);
    p("AO_COMMENT").setString(rec.AO_COMMENT);
    p("LINKKEY").setString(rec.LINKKEY);
    p("LINKKUB").setInteger(rec.LINKKUB);
    p("LINKREC").setInteger(rec.LINKREC);
    p("LOCALFLG").setInteger(rec.LOCALFLG);
    p("Reserve1").setInteger(rec.RESERVE1);
    p("Reserve2").setInteger(rec.RESERVE2);
    p("OPNCODE").setInteger(core::SystemDef.OPCODE);
}

qint32 TSiwakeWrite::putOnce(core::TSWKREC& rec) {
    sql_.close();
    sql_.sql().clear();
    const bool update = rec.REC != 0;
    if (update) {
        sql_.sql() << QStringLiteral("SELECT NEWREC,NEWSWKREC,NEWSWKNO,UPREC,NEWSDAYNUM FROM SP_SIWAKE_UPD(") +
                          QStringLiteral(":REC,:SWKREC,:SWKNO,:DELFLG,") + kCommonParams + u')';
    } else {
        const bool before61 = core::AccInf.DataMajor < 6 || (core::AccInf.DataMajor == 6 && core::AccInf.DataMinor1 == 0);
        sql_.sql() << (before61 ? QStringLiteral("SELECT NEWREC,NEWSWKREC,NEWSDAYNUM,0 AS NEWSITREC FROM SP_SIWAKE_INS(")
                                : QStringLiteral("SELECT NEWREC,NEWSWKREC,NEWSDAYNUM,NEWSITREC FROM SP_SIWAKE_INS(")) +
                          kCommonParams + u')';
    }
    if (update) {
        sql_.paramByName(QStringLiteral("REC")).setInteger(rec.REC);
        sql_.paramByName(QStringLiteral("SWKREC")).setInteger(rec.SWKREC);
        sql_.paramByName(QStringLiteral("SWKNO")).setInteger(rec.SWKNO);
        sql_.paramByName(QStringLiteral("DELFLG")).setInteger(rec.DELFLG);
    }
    bindCommon(rec);
    if (!sql_.prepared())
        sql_.prepare();
    sql_.execQuery();
    qint32 result = 0;
    if (!update) {
        rec.REC = sql_.fieldByName(QStringLiteral("NEWREC")).asInteger();
        rec.SWKREC = sql_.fieldByName(QStringLiteral("NEWSWKREC")).asInteger();
        rec.SDAYNUM = sql_.fieldByName(QStringLiteral("NEWSDAYNUM")).asInteger();
        rec.SWKNO = rec.SWKREC;
        rec.SITREC = sql_.fieldByName(QStringLiteral("NEWSITREC")).asInteger();
        rec.RTIME = QDateTime::currentDateTime();
        result = rec.REC;
    } else {
        const int upRec = sql_.fieldByName(QStringLiteral("UPREC")).asInteger();
        if (upRec == -2) {
            rec.REC = sql_.fieldByName(QStringLiteral("NEWREC")).asInteger();
            result = -2;
        } else if (upRec == -1) {
            result = -1;
        } else {
            rec.REC = sql_.fieldByName(QStringLiteral("NEWREC")).asInteger();
            rec.SWKREC = sql_.fieldByName(QStringLiteral("NEWSWKREC")).asInteger();
            rec.SWKNO = sql_.fieldByName(QStringLiteral("NEWSWKNO")).asInteger();
            rec.SDAYNUM = sql_.fieldByName(QStringLiteral("NEWSDAYNUM")).asInteger();
            rec.RTIME = QDateTime::currentDateTime();
        }
    }
    sql_.close();
    return result;
}

// A lock conflict (another transaction holds the entry's rows) is tried again a few times
// with a short pause, then raised like any other error, so that a held row cannot hang the
// program.
qint32 TSiwakeWrite::PutSiwake(core::TSWKREC& rec) {
    bool started = beginAuto();
    for (int attempt = 1;; ++attempt) {
        try {
            const qint32 result = putOnce(rec);
            commitAuto();
            return result;
        } catch (const core::EIBError& e) {
            sql_.close();
            if (e.ibErrorCode() == kLockConflict && attempt < LockRetries) {
                if (AutoCommit && started && transaction_->inTransaction()) {
                    transaction_->rollback();
                    transaction_->startTransaction();
                }
                core::DelayWithMessages(LockRetryPauseMs);
                continue;
            }
            report(e, "PutSiwake");
            rollbackAuto(started);
            throw;
        } catch (...) {
            sql_.close();
            rollbackAuto(started);
            throw;
        }
    }
}

template <class Body>
auto TSiwakeWrite::runAuto(const char* operation, Body&& body) -> decltype(body()) {
    const bool started = beginAuto();
    try {
        auto result = body();
        sql_.close();
        commitAuto();
        return result;
    } catch (const core::EIBError& e) {
        sql_.close();
        report(e, operation);
        rollbackAuto(started);
        throw;
    } catch (...) {
        sql_.close();
        rollbackAuto(started);
        throw;
    }
}

qint32 TSiwakeWrite::DeleteSiwake(qint32 swkRec) {
    return runAuto("DeleteSiwake", [&] {
        sql_.close();
        sql_.sql().clear();
        sql_.sql() << QStringLiteral("SELECT RESULT+1 AS RES FROM SP_SIWAKE_DEL(:SWKREC,:OPCODE)");
        sql_.paramByName(QStringLiteral("SWKREC")).setInteger(swkRec);
        sql_.paramByName(QStringLiteral("OPCODE")).setInteger(core::SystemDef.OPCODE);
        if (!sql_.prepared())
            sql_.prepare();
        sql_.execQuery();
        return sql_.fieldByName(QStringLiteral("RES")).asInteger();
    });
}

bool TSiwakeWrite::RestoreSiwake(qint32 swkRec) {
    return runAuto("RestoreSiwake", [&] {
        sql_.close();
        sql_.sql().clear();
        sql_.sql() << QStringLiteral("SELECT HIZUKE,SDAYNUM FROM SIWAKE") << QStringLiteral("WHERE (SWKREC=:SWKREC) AND (TAISHAKU=1)");
        sql_.paramByName(QStringLiteral("SWKREC")).setInteger(swkRec);
        sql_.execQuery();
        QDate date;
        for (; !sql_.eof(); sql_.next())
            date = sql_.fieldByName(QStringLiteral("HIZUKE")).asDate();
        sql_.close();
        sql_.sql().clear();
        sql_.sql() << QStringLiteral("SELECT MAX(SDAYNUM) AS MAX_SDAYNUM FROM SIWAKE") << QStringLiteral("WHERE (HIZUKE=:HIZUKE) AND (DELFLG=0)");
        sql_.paramByName(QStringLiteral("HIZUKE")).setDate(date);
        sql_.execQuery();
        int maxDayNum = 0;
        for (; !sql_.eof(); sql_.next())
            maxDayNum = sql_.fieldByName(QStringLiteral("MAX_SDAYNUM")).asInteger();
        sql_.close();
        sql_.sql().clear();
        sql_.sql() << QStringLiteral("UPDATE SIWAKE SET DELFLG=0,OPCODE=:OPCODE,RTIME=:RTIME,SDAYNUM=:SDAYNUM")
                   << QStringLiteral("WHERE SWKREC=:SWKREC");
        sql_.paramByName(QStringLiteral("OPCODE")).setInteger(core::SystemDef.OPCODE);
        sql_.paramByName(QStringLiteral("RTIME")).setDateTime(QDateTime::currentDateTime());
        sql_.paramByName(QStringLiteral("SDAYNUM")).setInteger(maxDayNum > 0 ? maxDayNum + 1 : 0);
        sql_.paramByName(QStringLiteral("SWKREC")).setInteger(swkRec);
        sql_.execSQL();
        return true;
    });
}

void TSiwakeWrite::GetSiwake(core::TSWKREC& rec, qint32 recNo, bool useView) {
    InitSiwake(rec, 0, QDate::currentDate());
    beginAuto();
    try {
        sql_.close();
        sql_.sql().clear();
        if (KakoMode == 1) {
            sql_.sql() << QStringLiteral("SELECT * FROM KAKOSIWAKE1_VIEW WHERE REC=:REC");
        } else if (KakoMode == 2) {
            sql_.sql() << QStringLiteral("SELECT * FROM KAKOSIWAKE2_VIEW WHERE REC=:REC");
        } else if (useView) {
            sql_.sql() << QStringLiteral("SELECT * FROM SIWAKE_VIEW WHERE REC=:REC");
        } else {
            sql_.sql()
                << QStringLiteral("SELECT S.REC,S.SWKREC,S.SWKNO,S.DELFLG,S.TAISHAKU,S.HIZUKE,S.MNUM,S.KESSAN,S.DNUM,S.SNUM,S.SDAYNUM,S.MDAYNUM,S.SCODE,S.SITREC,")
                << QStringLiteral("S.KGROUP,S.KCODE,K1.USERCODE,S.HCODE,S.BCODE,S.KNAME,S.HNAME,S.BNAME,S.TAXCODE,S.TAXUH,S.TAXDC,S.NUK,S.ZEI,S.RIT,S.SIKIN,")
                << QStringLiteral("S.R_KGROUP,S.R_KCODE,K2.USERCODE AS R_USERCODE,S.R_HCODE,S.R_BCODE,S.R_KNAME,S.R_HNAME,S.R_BNAME,S.R_TAXCODE,S.R_TAXUH,S.R_TAXDC,S.R_NUK,S.R_ZEI,S.R_RIT,S.R_SIKIN,")
                << QStringLiteral("S.KINGAKU,S.ZEIGAKU,S.ZEIRITUNO,S.AUTCALCU,S.TAXCALCU,S.OLDRATE,S.TEKCODE,S.TEKTEXT,S.TORCODE,S.TORTEXT,S.FUSEN1,S.FUSEN2,S.FUSEN3,S.FUSEN4,S.FUSEN5,S.CTIME,S.COMMENT,S.AO_COMMENT,")
                << QStringLiteral("S.LINKKEY,S.LINKKUB,S.LINKREC,S.LOCALFLG,S.RESERVE1,S.RESERVE2,S.RTIME,S.OPCODE,")
                << QStringLiteral("NULL AS SHONIN_HIZUKE,0 AS SHONIN_OPCODE, '' AS SHONIN_NAME")
                << QStringLiteral("FROM SIWAKE S")
                << QStringLiteral("INNER JOIN KAMOKUMST K1 ON (S.KCODE = K1.KCODE)")
                << QStringLiteral("INNER JOIN KAMOKUMST K2 ON (S.R_KCODE = K2.KCODE)")
                << QStringLiteral("WHERE S.REC=:REC");
        }
        sql_.paramByName(QStringLiteral("REC")).setInteger(recNo);
        if (!sql_.prepared())
            sql_.prepare();
        sql_.execQuery();
        if (!sql_.eof()) {
            auto f = [this](const QString& name) -> core::IBSQLField& { return sql_.fieldByName(name); };
            auto i = [&](const char* name) { return f(QLatin1String(name)).asInteger(); };
            auto s = [&](const char* name) { return f(QLatin1String(name)).asString(); };
            rec.REC = i("REC");
            rec.SWKREC = i("SWKREC");
            rec.SWKNO = i("SWKNO");
            rec.DELFLG = i("DELFLG");
            rec.TAISHAKU = i("TAISHAKU");
            rec.HIZUKE = f(QStringLiteral("HIZUKE")).asDateTime();
            rec.MNUM = i("MNUM");
            rec.KESSAN = i("KESSAN");
            rec.DNUM = i("DNUM");
            rec.SNUM = i("SNUM");
            rec.SDAYNUM = i("SDAYNUM");
            rec.MDAYNUM = i("MDAYNUM");
            rec.SCODE = s("SCODE");
            rec.SITREC = i("SITREC");
            auto side = [&](const QString& prefix, const QString& userCodeColumn, core::TSwkBalance& b) {
                b.KGROUP = f(prefix + QStringLiteral("KGROUP")).asString();
                b.KCODE = f(userCodeColumn).asString();
                b.HCODE = f(prefix + QStringLiteral("HCODE")).asString();
                b.BCODE = f(prefix + QStringLiteral("BCODE")).asString();
                b.KNAME = f(prefix + QStringLiteral("KNAME")).asString();
                b.HNAME = f(prefix + QStringLiteral("HNAME")).asString();
                b.BNAME = f(prefix + QStringLiteral("BNAME")).asString();
                b.TAXCODE = f(prefix + QStringLiteral("TAXCODE")).asInteger();
                b.TAXUH = f(prefix + QStringLiteral("TAXUH")).asInteger();
                b.TAXDC = f(prefix + QStringLiteral("TAXDC")).asInteger();
                b.NUK = f(prefix + QStringLiteral("NUK")).asCurrency();
                b.ZEI = f(prefix + QStringLiteral("ZEI")).asCurrency();
                b.RIT = f(prefix + QStringLiteral("RIT")).asCurrency();
                b.SIKIN = f(prefix + QStringLiteral("SIKIN")).asInteger();
            };
            side(QString(), QStringLiteral("USERCODE"), rec.Debit);
            side(QStringLiteral("R_"), QStringLiteral("R_USERCODE"), rec.Credit);
            rec.KINGAKU = f(QStringLiteral("KINGAKU")).asCurrency();
            rec.ZEIGAKU = f(QStringLiteral("ZEIGAKU")).asCurrency();
            rec.ZEIRITUNO = i("ZEIRITUNO");
            rec.AUTCALCU = i("AUTCALCU");
            rec.TAXCALCU = i("TAXCALCU");
            rec.OLDRATE = i("OLDRATE");
            rec.TEKCODE = i("TEKCODE");
            rec.TEKTEXT = s("TEKTEXT");
            rec.TORCODE = i("TORCODE");
            rec.TORTEXT = s("TORTEXT");
            rec.FUSEN1 = i("FUSEN1");
            rec.FUSEN2 = i("FUSEN2");
            rec.FUSEN3 = i("FUSEN3");
            rec.FUSEN4 = i("FUSEN4");
            rec.FUSEN5 = i("FUSEN5");
            rec.CTIME = f(QStringLiteral("CTIME")).asDateTime();
            rec.COMMENT = s("COMMENT");
            rec.AO_COMMENT = s("AO_COMMENT");
            rec.LINKKEY = s("LINKKEY");
            rec.LINKKUB = i("LINKKUB");
            rec.LINKREC = i("LINKREC");
            rec.LOCALFLG = i("LOCALFLG");
            rec.RESERVE1 = i("RESERVE1");
            rec.RESERVE2 = i("RESERVE2");
            rec.RTIME = f(QStringLiteral("RTIME")).asDateTime();
            rec.OPCODE = i("OPCODE");
            rec.SHONIN_HIZUKE = f(QStringLiteral("SHONIN_HIZUKE")).asDateTime();
            rec.SHONIN_OPCODE = i("SHONIN_OPCODE");
            rec.SHONIN_NAME = s("SHONIN_NAME");
            rec.Debit.RateCode = rec.OLDRATE;
            rec.Credit.RateCode = rec.OLDRATE;
        }
        sql_.close();
        commitAuto();
    } catch (const core::EIBError& e) {
        sql_.close();
        report(e, "GetSiwake");
        commitAuto();
        throw;
    } catch (...) {
        sql_.close();
        commitAuto();
        throw;
    }
}

void TSiwakeWrite::InitSiwake(core::TSWKREC& rec, qint32 kessan, const QDate& date) {
    rec = core::TSWKREC{};
    rec.PcName = core::SystemDef.ComputerName;
    rec.TAISHAKU = 1;
    rec.HIZUKE = date.isValid() ? QDateTime(date, QTime(0, 0)) : QDateTime();
    rec.KESSAN = kessan;
    for (core::TSwkBalance* side : {&rec.Debit, &rec.Credit}) {
        *side = core::TSwkBalance{};
        side->HCODE.clear();
        side->BCODE.clear();
        side->TAXCODE = 910;
    }
    rec.RTIME = QDateTime::currentDateTime();
    rec.OPCODE = core::SystemDef.OPCODE;
    rec.OLDRATE = core::GetZeiRituCode(0, date);
    rec.Debit.RateCode = rec.OLDRATE;
    rec.Credit.RateCode = rec.OLDRATE;
}

} // namespace cloudexchange
