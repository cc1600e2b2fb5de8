// Merge of the cash journal entries of the received database into the open company data.
// The link columns of SIWAKE (RESERVE1, RESERVE2, LINKKEY, LINKKUB, LINKREC) let each side
// find its own copy of an entry the other side added, corrected or deleted.
#include "cloudexchange/CashBookImport.h"

#include "core/Globals.h"
#include "core/tax/SwkTax.h"
#include "core/text/SjisText.h"
#include "core/text/NumberText.h"

#include <QDateTime>

namespace cloudexchange {

namespace {

const QString kLookupHead =
    QStringLiteral("SELECT COUNT(REC) AS RECCNT,REC,SWKNO,LINKREC,RESERVE1,RESERVE2,DELFLG FROM SIWAKE");
const QString kLookupTail = QStringLiteral("GROUP BY REC,SWKNO,LINKREC,RESERVE1,RESERVE2,DELFLG");

int field(core::TIBSQL& r, const char* name) { return r.fieldByName(QLatin1String(name)).asInteger(); }
QString text(core::TIBSQL& r, const char* name) { return r.fieldByName(QLatin1String(name)).asString(); }

// Amounts of the cash book are whole yen.
core::Currency wholeAmount(const core::Currency& c) {
    return core::Currency::fromInt(c.raw / core::Currency::scale);
}

} // namespace

bool TCashBookImport::runLookup(const QString& condition, const std::function<void(core::TIBSQL&)>& bind,
                                TFoundSiwake& found) {
    core::TIBSQL& q = IBSQL1;
    q.close();
    q.sql().clear();
    q.sql() << kLookupHead << condition << kLookupTail;
    if (bind)
        bind(q);
    q.execQuery();
    found = TFoundSiwake{};
    if (!q.eof() && field(q, "RECCNT") > 0) {
        found.Found = true;
        found.REC = field(q, "REC");
        found.SWKNO = field(q, "SWKNO");
        found.LINKREC = field(q, "LINKREC");
        found.DELFLG = field(q, "DELFLG");
        found.RESERVE1 = field(q, "RESERVE1");
        found.RESERVE2 = field(q, "RESERVE2");
    }
    q.close();
    return found.Found;
}

void TCashBookImport::FindLocalSiwake(core::TIBSQL& r, int siwakeClass, TFoundSiwake& found) {
    const int recvRec = field(r, "REC");
    const int recvReserve1 = field(r, "RESERVE1");
    if (siwakeClass == 1 || siwakeClass == 2) {
        if (runLookup(QStringLiteral("WHERE (DELFLG IN (0,1)) AND (RESERVE1=:RESERVE1)"),
                      [&](core::TIBSQL& q) { q.paramByName(QStringLiteral("RESERVE1")).setInteger(recvRec); }, found))
            return;
        // Earlier versions of the received entry (same SWKNO) may be what this side holds.
        QStringList recs;
        core::TIBSQL& s = ReceiveIBSQL1;
        s.close();
        s.sql().clear();
        s.sql() << QStringLiteral("SELECT REC FROM SIWAKE") << QStringLiteral("WHERE (TAISHAKU=1) AND (SWKNO=:SWKNO)");
        s.paramByName(QStringLiteral("SWKNO")).setInteger(field(r, "SWKNO"));
        s.execQuery();
        for (; !s.eof(); s.next())
            recs << QString::number(field(s, "REC"));
        s.close();
        if (recs.isEmpty())
            recs << QStringLiteral("-1");
        runLookup(QStringLiteral("WHERE (DELFLG IN (0,1)) AND (RESERVE1 IN (%1))").arg(recs.join(u',')), {}, found);
        return;
    }
    if (runLookup(QStringLiteral("WHERE (DELFLG IN (0,1)) AND (LINKKEY=:LINKKEY AND LINKKUB=:LINKKUB)"),
                  [&](core::TIBSQL& q) {
                      q.paramByName(QStringLiteral("LINKKEY")).setString(QString::number(recvReserve1));
                      q.paramByName(QStringLiteral("LINKKUB")).setInteger(10);
                  },
                  found))
        return;
    runLookup(QStringLiteral("WHERE (DELFLG IN (0,1)) AND (TAISHAKU=1) AND (SWKNO=(SELECT SWKNO FROM SIWAKE WHERE REC=:REC))"),
              [&](core::TIBSQL& q) { q.paramByName(QStringLiteral("REC")).setInteger(recvReserve1); }, found);
}

bool TCashBookImport::ReceivedSiwakeWins(core::TIBSQL& r, const TFoundSiwake& found) const {
    const int linkRec = field(r, "LINKREC");
    if (found.RESERVE1 == 0)
        return linkRec > 0;
    if (linkRec > 0 && field(r, "RESERVE1") == 0)
        return true;
    if (linkRec > 0)
        return found.RESERVE2 < linkRec;
    return false;
}

void TCashBookImport::LinkSiwake(core::TIBSQL& r, const TFoundSiwake& found) {
    core::TIBSQL& w = IBSQL2;
    w.close();
    w.sql().clear();
    w.sql() << QStringLiteral("UPDATE SIWAKE SET RESERVE1=:RESERVE1,RESERVE2=:RESERVE2") << QStringLiteral("WHERE (SWKREC=:SWKREC)");
    w.paramByName(QStringLiteral("SWKREC")).setInteger(SwkRec.SWKREC);
    w.paramByName(QStringLiteral("RESERVE1"))
        .setInteger(found.Found && SwkRec.RESERVE1 > 0 ? SwkRec.RESERVE1 : field(r, "REC"));
    w.paramByName(QStringLiteral("RESERVE2")).setInteger(field(r, "LINKREC"));
    w.execSQL();
    w.close();
}

void TCashBookImport::RestoreLocalSiwake(core::TIBSQL& r, const TFoundSiwake& found) {
    SiwakeWrite->RestoreSiwake(SwkRec.SWKREC);
    core::TIBSQL& w = IBSQL2;
    w.close();
    w.sql().clear();
    w.sql() << QStringLiteral("UPDATE SIWAKE SET LINKKEY=:LINKKEY,LINKKUB=:LINKKUB") << QStringLiteral("WHERE (SWKREC=:SWKREC)");
    w.paramByName(QStringLiteral("LINKKEY")).setString(QString::number(field(r, "RESERVE1")));
    w.paramByName(QStringLiteral("LINKKUB")).setInteger(10);
    w.paramByName(QStringLiteral("SWKREC")).setInteger(SwkRec.SWKREC);
    w.execSQL();
    w.close();
    SiwakeWrite->GetSiwake(SwkRec, found.REC, false);
}

void TCashBookImport::FillSwkRec(core::TIBSQL& r) {
    SwkRec.HIZUKE = r.fieldByName(QStringLiteral("HIZUKE")).asDateTime();
    SwkRec.MNUM = 0;
    SwkRec.KESSAN = field(r, "KESSAN");
    SwkRec.DNUM = field(r, "DNUM");
    SwkRec.SNUM = field(r, "SNUM");
    SwkRec.SCODE = text(r, "SCODE");
    auto side = [&](core::TSwkBalance& b, const QString& prefix, const char* userCode) {
        b.KGROUP = r.fieldByName(prefix + QStringLiteral("KGROUP")).asString();
        b.KCODE = text(r, userCode);
        b.HCODE = r.fieldByName(prefix + QStringLiteral("HCODE")).asString();
        b.BCODE = r.fieldByName(prefix + QStringLiteral("BCODE")).asString();
        b.TAXCODE = r.fieldByName(prefix + QStringLiteral("TAXCODE")).asInteger();
        b.KNAME.clear();
        b.HNAME.clear();
        b.BNAME.clear();
        b.NUK = {};
        b.ZEI = {};
        b.RIT = {};
        b.SIKIN = 0;
        b.RateCode = field(r, "OLDRATE");
    };
    // SWK.* and the joined user codes: the credit columns carry the prefix R_.
    side(SwkRec.Debit, QString(), "USERCODE");
    side(SwkRec.Credit, QStringLiteral("R_"), "R_USERCODE");
    SwkRec.KINGAKU = wholeAmount(r.fieldByName(QStringLiteral("KINGAKU")).asCurrency());
    SwkRec.ZEIGAKU = wholeAmount(r.fieldByName(QStringLiteral("ZEIGAKU")).asCurrency());
    SwkRec.ZEIRITUNO = field(r, "ZEIRITUNO");
    SwkRec.AUTCALCU = field(r, "AUTCALCU");
    SwkRec.TAXCALCU = field(r, "TAXCALCU");
    SwkRec.OLDRATE = field(r, "OLDRATE");
    SwkRec.TEKCODE = 0;
    SwkRec.TEKTEXT = text(r, "TEKTEXT");
    SwkRec.TORCODE = 0;
    SwkRec.TORTEXT = text(r, "TORTEXT");
    SwkRec.FUSEN1 = field(r, "FUSEN1");
    SwkRec.FUSEN2 = field(r, "FUSEN2");
    SwkRec.COMMENT = text(r, "COMMENT");
    SwkRec.AO_COMMENT = text(r, "AO_COMMENT");
    SwkRec.RTIME = QDateTime::currentDateTime();
    SwkRec.OPCODE = core::SystemDef.OPCODE;
    const int linkKub2 = field(r, "LINKKUB2");
    if (linkKub2 == 12 || linkKub2 == 13 || linkKub2 == 14) {
        SwkRec.LINKKEY = text(r, "LINKKEY2");
        SwkRec.LINKKUB = linkKub2;
        SwkRec.LINKREC = field(r, "LINKREC2");
    }
    siwakeInfo_ = TSiwakeInfo{};
    siwakeInfo_.Date = r.fieldByName(QStringLiteral("HIZUKE")).asDate().toString(QStringLiteral("yyyy/MM/dd"));
    siwakeInfo_.Aite = text(r, "KCODE").trimmed() != cashAccount().trimmed() ? text(r, "KNAME") : text(r, "R_KNAME");
    siwakeInfo_.Tekiyo = core::TrimZenkaku(text(r, "TEKTEXT"));
    if (siwakeInfo_.Tekiyo.isEmpty())
        siwakeInfo_.Tekiyo = QStringLiteral("－");
    siwakeInfo_.Kingaku = core::IntToCommaStr(r.fieldByName(QStringLiteral("KINGAKU")).asCurrency().raw / core::Currency::scale);
}

// The refusals of an update carry texts of their own: the check passed, so it has none.
qint32 TCashBookImport::WriteSwkRec(QString& message) {
    qint32 code = 0;
    if (!SiwakeWrite->TestSiwake(SwkRec, code, message))
        return -1;
    core::CalcSwkRecTax(SwkRec);
    if (SwkRec.Debit.RIT.raw == 0 && SwkRec.Credit.RIT.raw == 0)
        SwkRec.TAXCALCU = 2;
    SwkRec.LOCALFLG = 10;
    const qint32 w = SiwakeWrite->PutSiwake(SwkRec);
    if (w == -1)
        message = QStringLiteral("仕訳が削除されているため更新できません。");
    else if (w == -2)
        message = QStringLiteral("仕訳が訂正されているため更新できません。");
    return w;
}

void TCashBookImport::LogSiwake(qint32 code, const QString& message) {
    if (code == 0)
        return;
    const TSiwakeInfo& i = siwakeInfo_;
    if (code > 0)
        AddSyoriLog(skWarning, code,
                    QStringLiteral("(仕訳番号:%1 日付:%2 相手科目:%3 摘要:%4 金額:%5) %6")
                        .arg(QString::number(i.Number), i.Date, i.Aite, i.Tekiyo, i.Kingaku, message));
    else
        AddSyoriLog(skError, code,
                    QStringLiteral("(仕訳番号:-  日付:%1 相手科目:%2 摘要:%3 金額:%4) %5")
                        .arg(i.Date, i.Aite, i.Tekiyo, i.Kingaku, message));
}

bool TCashBookImport::ImportGenkinSiwake() {
    try {
        SiwakeWrite->DataMode = 1;
        SiwakeWrite->AutoCommit = false;
        SiwakeWrite->SetSCODE(core::SystemDef.FacilityCode);
        core::TIBSQL& r = ReceiveIBSQL2;
        r.close();
        r.sql().clear();
        r.sql() << QStringLiteral("SELECT SWK.*,K1.USERCODE AS USERCODE,K2.USERCODE AS R_USERCODE,")
                << QStringLiteral("SWK2.LINKKEY AS LINKKEY2,SWK2.LINKKUB AS LINKKUB2,SWK2.LINKREC AS LINKREC2")
                << QStringLiteral("FROM SIWAKE SWK") << QStringLiteral("INNER JOIN KAMOKUMST K1 ON(SWK.KCODE=K1.KCODE)")
                << QStringLiteral("INNER JOIN KAMOKUMST K2 ON(SWK.R_KCODE=K2.KCODE)")
                << QStringLiteral("INNER JOIN SIWAKE2 SWK2 ON(SWK.REC=SWK2.REC)")
                << QStringLiteral("WHERE (SWK.DELFLG IN (0,1)) AND (SWK.TAISHAKU=1) AND ((SWK.KCODE=:KCODE OR SWK.R_KCODE=:R_KCODE) OR (SWK.LINKREC>0))")
                << QStringLiteral("ORDER BY SWK.HIZUKE,SWK.KESSAN,SWK.SWKNO");
        r.paramByName(QStringLiteral("KCODE")).setString(cashAccount());
        r.paramByName(QStringLiteral("R_KCODE")).setString(cashAccount());
        r.execQuery();
        for (; !r.eof(); r.next()) {
            TFoundSiwake found;
            const QString scode = text(r, "SCODE");
            if (scode != SiwakeWrite->SCODE)
                SiwakeWrite->SetSCODE(scode);
            const int delFlg = field(r, "DELFLG");
            const int reserve1 = field(r, "RESERVE1");
            int siwakeClass = 0;
            if (delFlg == 0 && reserve1 == 0)
                siwakeClass = 1;
            else if (delFlg == 1 && reserve1 == 0)
                siwakeClass = 2;
            else if (delFlg == 0 && reserve1 > 0)
                siwakeClass = 3;
            else if (delFlg == 1 && reserve1 > 0)
                siwakeClass = 4;
            else
                continue;
            FindLocalSiwake(r, siwakeClass, found);
            if (siwakeClass == 1 || siwakeClass == 3) {
                SiwakeWrite->InitSiwake(SwkRec, 0, QDate());
                if (found.Found) {
                    if (!ReceivedSiwakeWins(r, found)) {
                        if (found.RESERVE1 == 0) {
                            SiwakeWrite->GetSiwake(SwkRec, found.REC, false);
                            LinkSiwake(r, found);
                        }
                        continue;
                    }
                    SiwakeWrite->GetSiwake(SwkRec, found.REC, false);
                    if (found.Deleted())
                        RestoreLocalSiwake(r, found);
                }
                FillSwkRec(r);
                QString message;
                const qint32 w = WriteSwkRec(message);
                if (w >= 0) {
                    LinkSiwake(r, found);
                    siwakeInfo_.Number = SwkRec.SWKREC;
                }
                if (w == 0 && (found.Deleted() || SwkRec.REC != found.REC))
                    LogSiwake(11, QStringLiteral("受信データの訂正仕訳が優先されました。"));
                else if (w < 0)
                    LogSiwake(-111, message);
            } else {
                if (!found.Found || found.Deleted())
                    continue;
                SiwakeWrite->GetSiwake(SwkRec, found.REC, false);
                FillSwkRec(r);
                SiwakeWrite->DeleteSiwake(SwkRec.SWKREC);
                LinkSiwake(r, found);
                siwakeInfo_.Number = SwkRec.SWKREC;
                LogSiwake(12, QStringLiteral("受信データの削除仕訳が優先されました。"));
            }
        }
        r.close();
    } catch (const std::exception& e) {
        ReceiveIBSQL1.close();
        ReceiveIBSQL2.close();
        IBSQL1.close();
        IBSQL2.close();
        failStep(QStringLiteral("「現金仕訳の取り込み」に失敗しました。 "), e);
    }
    return SyoriResult >= 0;
}

} // namespace cloudexchange
