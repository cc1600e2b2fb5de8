// Merge of masters and balances: the chart-of-accounts check, the sub-accounts, the opening
// balances of the cash account and the comparison of the cash balance.
#include "cloudexchange/CashBookImport.h"

#include "core/Globals.h"
#include "core/dm/TDM.h"

#include <QDateTime>
#include <QHash>
#include <QSet>

namespace cloudexchange {

namespace {

struct TReceiveKamokuInfo {
    QString GROUPM0;
    QString USERCODE;
    QString Name;
    qint32 USE = 0;
    QString HOJOSW;
};

QString sitenLabel(int value) {
    return value == 1 ? QStringLiteral("本・支店管理を行う") : QStringLiteral("本・支店管理を行わない");
}

QString bumonLabel(int value) {
    if (value == 1)
        return QStringLiteral("部門管理を行う[損益]");
    if (value == 2)
        return QStringLiteral("部門管理を行う[全科目]");
    return QStringLiteral("部門管理を行わない");
}

QString kamokuName(core::TIBSQL& q) {
    const QString name = q.fieldByName(QStringLiteral("KNAME")).asString();
    return name.trimmed().isEmpty() ? QStringLiteral("名称登録なし") : name;
}

qint64 wholeYen(const core::Currency& c) { return c.raw / core::Currency::scale; }

} // namespace

QString TCashBookImport::MapOldGroupCode(const QString& groupM0, const QString& kcode) const {
    if (RecvMajor >= 6)
        return groupM0;
    const int dataType = core::AccInf.DATATYPE;
    const int codeType = core::AccInf.CODETYPE;
    const bool newCodes = kcode == QStringLiteral("52100") || kcode == QStringLiteral("52200") || kcode == QStringLiteral("52300");
    if (core::EditionFlag == 0) {
        if (kcode == QStringLiteral("5601") && (dataType == 1 || (dataType == 2 && (codeType == 1 || codeType == 3))))
            return QStringLiteral("5685");
    } else if (core::EditionFlag == 1 || core::EditionFlag == 2) {
        if (newCodes && (dataType == 1 || (dataType == 2 && codeType == 1)))
            return QStringLiteral("5685");
    }
    return groupM0;
}

bool TCashBookImport::CheckKamokuTaikei() {
    try {
        core::TIBSQL& r = ReceiveIBSQL1;
        r.close();
        r.sql().clear();
        r.sql() << QStringLiteral("SELECT SITEN,BUMON FROM ACCDEF1") << QStringLiteral("WHERE REC=1");
        r.execQuery();
        for (; !r.eof(); r.next()) {
            const int siten = r.fieldByName(QStringLiteral("SITEN")).asInteger();
            const int bumon = r.fieldByName(QStringLiteral("BUMON")).asInteger();
            if (siten != core::AccInf.SITEN)
                AddSyoriLog(skError, -106,
                            QStringLiteral("(使用データ:%1 ≠ 受信データ:%2) 受信データの本・支店管理区分の設定内容に違いがありました。")
                                .arg(sitenLabel(core::AccInf.SITEN), sitenLabel(siten)));
            if (bumon != core::AccInf.BUMON)
                AddSyoriLog(skError, -107,
                            QStringLiteral("(使用データ:%1 ≠ 受信データ:%2) 受信データの部門管理区分の設定内容に違いがありました。")
                                .arg(bumonLabel(core::AccInf.BUMON), bumonLabel(bumon)));
        }
        r.close();

        r.sql().clear();
        r.sql() << QStringLiteral("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION")
                << QStringLiteral("ORDER BY MAJOR DESC,MINOR1 DESC,MINOR2 DESC");
        r.execQuery();
        if (!r.eof()) {
            RecvMajor = r.fieldByName(QStringLiteral("MAJOR")).asInteger();
            RecvMinor1 = r.fieldByName(QStringLiteral("MINOR1")).asInteger();
            RecvMinor2 = r.fieldByName(QStringLiteral("MINOR2")).asInteger();
        }
        r.close();

        QList<TReceiveKamokuInfo> received;
        QHash<QString, int> byUserCode; // the first account of a user code
        const QStringList select = {QStringLiteral("SELECT KCODE,USERCODE,GROUPM0,USE,HOJOSW,KNAME FROM KAMOKUMST"),
                                    QStringLiteral("ORDER BY KCODE")};
        r.sql().clear();
        r.sql() << QStringLiteral("SELECT COUNT(KCODE) AS REC_CNT FROM KAMOKUMST");
        r.execQuery();
        received.reserve(r.eof() ? 0 : r.fieldByName(QStringLiteral("REC_CNT")).asInteger());
        r.close();
        r.sql() = select;
        r.execQuery();
        for (; !r.eof(); r.next()) {
            TReceiveKamokuInfo k;
            k.GROUPM0 = MapOldGroupCode(r.fieldByName(QStringLiteral("GROUPM0")).asString(),
                                        r.fieldByName(QStringLiteral("KCODE")).asString());
            k.USERCODE = r.fieldByName(QStringLiteral("USERCODE")).asString();
            k.Name = kamokuName(r);
            k.USE = r.fieldByName(QStringLiteral("USE")).asInteger();
            k.HOJOSW = r.fieldByName(QStringLiteral("HOJOSW")).asString();
            if (!byUserCode.contains(k.USERCODE))
                byUserCode.insert(k.USERCODE, int(received.size()));
            received << k;
        }
        r.close();

        core::TIBSQL& q = IBSQL1;
        q.close();
        q.sql() = select;
        q.execQuery();
        for (; !q.eof(); q.next()) {
            const QString userCode = q.fieldByName(QStringLiteral("USERCODE")).asString();
            const QString name = kamokuName(q);
            const auto at = byUserCode.constFind(userCode);
            if (at == byUserCode.constEnd()) {
                AddSyoriLog(skError, -104, QStringLiteral("(使用データ:%1 %2) 科目コードが見つかりません。").arg(userCode, name));
                continue;
            }
            const TReceiveKamokuInfo& k = received[*at];
            const QString group = q.fieldByName(QStringLiteral("GROUPM0")).asString();
            const int use = q.fieldByName(QStringLiteral("USE")).asInteger();
            const QString hojoSw = q.fieldByName(QStringLiteral("HOJOSW")).asString();
            if (group == k.GROUPM0 && use == k.USE && hojoSw == k.HOJOSW)
                continue;
            // Only a USE switched off on the other side is a warning; any further difference
            // (group, sub-account switch) is an error of its own and must not be hidden by it.
            if (ReceiveKind == 0 && MergeMode == 1 && use > 0 && k.USE == 0 && group == k.GROUPM0 && hojoSw == k.HOJOSW)
                AddSyoriLog(skWarning, 101,
                            QStringLiteral("(使用データ:%1 %2) 受信データの当科目は[使用しない]に設定されています。").arg(userCode, name));
            else
                AddSyoriLog(skError, -105,
                            QStringLiteral("(使用データ:%1 %2 ≠ 受信データ:%3 %4) 受信データの科目の設定内容に違いがありました。")
                                .arg(userCode, name, k.USERCODE, k.Name));
        }
        q.close();

        if (SyoriResult < 0) {
            AddSyoriLog(skError, -103,
                        ReceiveKind == 1
                            ? QStringLiteral("データ送信元の設定変更により科目体系に差異が発生しています。データ送信元にご連絡して下さい。")
                            : QStringLiteral("データの設定変更により科目体系に差異が発生しています。マスター送信を行って下さい。"));
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        ReceiveIBSQL1.close();
        IBSQL1.close();
        failStep(QStringLiteral("「科目体系の整合チェック」に失敗しました。 "), e);
    }
}

bool TCashBookImport::ImportHojo() {
    try {
        core::TIBSQL& q = IBSQL1;
        core::TIBSQL& w = IBSQL2;
        q.close();
        q.sql().clear();
        q.sql() << QStringLiteral("SELECT HOJO_INS_MODE FROM ACCDEF1") << QStringLiteral("WHERE REC=1");
        q.execQuery();
        int insMode = 0;
        for (; !q.eof(); q.next())
            insMode = q.fieldByName(QStringLiteral("HOJO_INS_MODE")).asInteger();
        q.close();
        auto writeInsMode = [&](int mode) {
            w.sql().clear();
            w.sql() << QStringLiteral("UPDATE ACCDEF1 SET HOJO_INS_MODE=%1").arg(mode) << QStringLiteral("WHERE REC=1");
            w.execSQL();
            w.close();
        };
        writeInsMode(0);

        QSet<QString> local;
        q.sql().clear();
        q.sql() << QStringLiteral("SELECT KCODE,HCODE,HKANA,HNAME,TAX_LCODE,TAX_RCODE FROM HOJOMST")
                << QStringLiteral("ORDER BY KCODE,HCODE");
        q.execQuery();
        for (; !q.eof(); q.next())
            local.insert(QStringLiteral("%1-%2").arg(q.fieldByName(QStringLiteral("KCODE")).asString(),
                                                     q.fieldByName(QStringLiteral("HCODE")).asString()));
        q.close();

        core::TIBSQL& r = ReceiveIBSQL1;
        r.close();
        r.sql().clear();
        r.sql() << QStringLiteral("SELECT KCODE,HCODE,HKANA,HNAME,TAX_LCODE,TAX_RCODE,BPFLG FROM HOJOMST")
                << QStringLiteral("ORDER BY KCODE,HCODE");
        r.execQuery();
        const QString firstFacility = SitenList->GetItem(0);
        for (; !r.eof(); r.next()) {
            const QString kcode = r.fieldByName(QStringLiteral("KCODE")).asString();
            const QString hcode = r.fieldByName(QStringLiteral("HCODE")).asString();
            const bool insert = !local.contains(QStringLiteral("%1-%2").arg(kcode, hcode));
            w.sql().clear();
            if (insert) {
                w.sql() << QStringLiteral("INSERT INTO HOJOMST(KCODE,HCODE,HKANA,HNAME,TAX_LCODE,TAX_RCODE,BPFLG,OPCODE)")
                        << QStringLiteral("VALUES(:KCODE,:HCODE,:HKANA,:HNAME,:TAX_LCODE,:TAX_RCODE,:BPFLG,:OPCODE)");
                w.paramByName(QStringLiteral("BPFLG")).setString(r.fieldByName(QStringLiteral("BPFLG")).asString());
            } else {
                w.sql() << QStringLiteral("UPDATE HOJOMST SET HKANA=:HKANA,HNAME=:HNAME,TAX_LCODE=:TAX_LCODE,TAX_RCODE=:TAX_RCODE,RTIME=:RTIME,OPCODE=:OPCODE")
                        << QStringLiteral("WHERE (KCODE=:KCODE)AND(HCODE=:HCODE)");
                w.paramByName(QStringLiteral("RTIME")).setDateTime(QDateTime::currentDateTime());
            }
            w.paramByName(QStringLiteral("KCODE")).setString(kcode);
            w.paramByName(QStringLiteral("HCODE")).setString(hcode);
            w.paramByName(QStringLiteral("HKANA")).setString(r.fieldByName(QStringLiteral("HKANA")).asString());
            w.paramByName(QStringLiteral("HNAME")).setString(r.fieldByName(QStringLiteral("HNAME")).asString());
            w.paramByName(QStringLiteral("TAX_LCODE")).setInteger(r.fieldByName(QStringLiteral("TAX_LCODE")).asInteger());
            w.paramByName(QStringLiteral("TAX_RCODE")).setInteger(r.fieldByName(QStringLiteral("TAX_RCODE")).asInteger());
            w.paramByName(QStringLiteral("OPCODE")).setInteger(core::SystemDef.OPCODE);
            if (!w.prepared())
                w.prepare();
            w.execSQL();
            w.close();
            if (insert) {
                w.sql().clear();
                w.sql() << QStringLiteral("SELECT OUT_SCODE FROM SP_HOJO_KAMOKUSZ_INS(:SCODE,:KCODE,:HCODE)");
                w.paramByName(QStringLiteral("SCODE")).setString(firstFacility);
                w.paramByName(QStringLiteral("KCODE")).setString(kcode);
                w.paramByName(QStringLiteral("HCODE")).setString(hcode);
                w.execQuery();
                w.close();
            }
        }
        r.close();
        writeInsMode(insMode);
        return true;
    } catch (const std::exception& e) {
        ReceiveIBSQL1.close();
        IBSQL1.close();
        IBSQL2.close();
        failStep(QStringLiteral("「補助科目の取り込み」に失敗しました。 "), e);
    }
}

bool TCashBookImport::ImportKaisiZan() {
    if (ReceiveKind != 1)
        return true;
    try {
        core::TIBSQL& r = ReceiveIBSQL1;
        r.close();
        r.sql().clear();
        r.sql() << (RecvMajor < 6
                        ? QStringLiteral("SELECT SCODE,KCODE,HCODE,BCODE,KAISIZAN,KAISIZAN AS KISHU_KOMI,KAISIZAN AS KISHU_NUKI FROM KAMOKU_SZ")
                        : QStringLiteral("SELECT SCODE,KCODE,HCODE,BCODE,KAISIZAN,KISHU_KOMI,KISHU_NUKI FROM KAMOKU_SZ"))
                << QStringLiteral("WHERE KCODE=:KCODE") << QStringLiteral("ORDER BY SCODE,KCODE,HCODE,BCODE");
        r.paramByName(QStringLiteral("KCODE")).setString(cashAccount());
        r.execQuery();
        core::TIBSQL& w = IBSQL2;
        w.close();
        w.sql().clear();
        w.sql() << QStringLiteral("UPDATE KAMOKU_SZ SET KAISIZAN=0,KISHU_KOMI=:KISHU_KOMI,KISHU_NUKI=:KISHU_NUKI")
                << QStringLiteral("WHERE (SCODE=:SCODE)AND(KCODE=:KCODE)AND(HCODE=:HCODE)AND(BCODE=:BCODE)");
        for (; !r.eof(); r.next()) {
            for (const char* code : {"SCODE", "KCODE", "HCODE", "BCODE"})
                w.paramByName(QLatin1String(code)).setString(r.fieldByName(QLatin1String(code)).asString());
            w.paramByName(QStringLiteral("KISHU_KOMI"))
                .setCurrency(core::Currency::fromInt(wholeYen(r.fieldByName(QStringLiteral("KISHU_KOMI")).asCurrency())));
            w.paramByName(QStringLiteral("KISHU_NUKI"))
                .setCurrency(core::Currency::fromInt(wholeYen(r.fieldByName(QStringLiteral("KISHU_NUKI")).asCurrency())));
            w.execSQL();
        }
        w.close();
        r.close();
        return true;
    } catch (const std::exception& e) {
        ReceiveIBSQL1.close();
        IBSQL2.close();
        failStep(QStringLiteral("「現金科目の開始残高の取り込み」に失敗しました。 "), e);
    }
}

// The balance of the cash account in one database: the opening balance plus the movement,
// in whole yen. Not comparable for a DAC or TAXDEFUH that has no movement statement.
qint64 TCashBookImport::genkinZan(core::TIBSQL& q, bool received, int dac, bool& comparable) {
    const int taxDefUH = core::AccInf.TAXDEFUH;
    comparable = (taxDefUH == 0 || taxDefUH == 1) && dac >= 1 && dac <= 4;
    if (!comparable)
        return 0;
    q.close();
    q.sql().clear();
    q.sql() << (received && RecvMajor < 6
                    ? QStringLiteral("SELECT SUM(KAISIZAN) AS KAISI_KOMIZAN,SUM(KAISIZAN) AS KAISI_NUKIZAN FROM KAMOKU_SZ")
                    : QStringLiteral("SELECT SUM(KISHU_KOMI) AS KAISI_KOMIZAN,SUM(KISHU_NUKI) AS KAISI_NUKIZAN FROM KAMOKU_SZ"))
            << QStringLiteral("WHERE KCODE=:KCODE");
    q.paramByName(QStringLiteral("KCODE")).setString(cashAccount());
    q.execQuery();
    qint64 opening = 0;
    if (!q.eof())
        opening = wholeYen(q.fieldByName(taxDefUH == 0 ? QStringLiteral("KAISI_KOMIZAN") : QStringLiteral("KAISI_NUKIZAN")).asCurrency());
    q.close();
    const bool debitSide = dac == 1 || dac == 4;
    q.sql().clear();
    if (taxDefUH == 0)
        q.sql() << (debitSide ? QStringLiteral("SELECT SUM(KAR_NUK+KAR_TAX)-SUM(KAS_NUK+KAS_TAX) AS ZANDAKA FROM KAMOKU_MS")
                              : QStringLiteral("SELECT SUM(KAS_NUK+KAS_TAX)-SUM(KAR_NUK+KAR_TAX) AS ZANDAKA FROM KAMOKU_MS"));
    else
        q.sql() << (debitSide ? QStringLiteral("SELECT SUM(KAR_NUK-KAR_IKKATSU)-SUM(KAS_NUK-KAS_IKKATSU) AS ZANDAKA FROM KAMOKU_MS")
                              : QStringLiteral("SELECT SUM(KAS_NUK-KAS_IKKATSU)-SUM(KAR_NUK-KAR_IKKATSU) AS ZANDAKA FROM KAMOKU_MS"));
    q.sql() << QStringLiteral("WHERE KCODE=:KCODE");
    q.paramByName(QStringLiteral("KCODE")).setString(cashAccount());
    q.execQuery();
    core::Currency movement;
    if (!q.eof())
        movement = q.fieldByName(QStringLiteral("ZANDAKA")).asCurrency();
    q.close();
    return wholeYen(core::Currency::fromInt(opening) + movement);
}

void TCashBookImport::CompareGenkinZan() {
    try {
        core::TIBSQL& q = IBSQL1;
        q.close();
        q.sql().clear();
        q.sql() << QStringLiteral("SELECT DAC FROM KAMOKUMST") << QStringLiteral("WHERE KCODE=:KCODE");
        q.paramByName(QStringLiteral("KCODE")).setString(cashAccount());
        q.execQuery();
        const int dac = q.eof() ? 0 : q.fieldByName(QStringLiteral("DAC")).asInteger();
        q.close();
        bool comparable = false;
        const qint64 own = genkinZan(IBSQL1, false, dac, comparable);
        if (!comparable)
            return;
        const qint64 other = genkinZan(ReceiveIBSQL1, true, dac, comparable);
        if (own != other)
            AddSyoriLog(skWarning, 201,
                        QStringLiteral("本データと出納帳データの間で現金残高の違いが発生しました。前回のデータ送信後に現金取引の追加・訂正を行っていると残高の違いは発生します。"));
    } catch (const std::exception& e) {
        ReceiveIBSQL1.close();
        IBSQL1.close();
        failStep(QStringLiteral("「科目残高の比較」に失敗しました。 "), e);
    }
}

} // namespace cloudexchange
