// The writer's account lookups: one account of a facility, the facility's whole account array
// and the individual-cost codes.
#include "cloudexchange/SiwakeWrite.h"

#include "core/EIBError.h"
#include "core/errors/FbAccessError.h"

namespace cloudexchange {

namespace {

const QString kKamokuFrom = QStringLiteral("FROM KAMOKU_SZ SZ");
const QString kKamokuJoins = QStringLiteral(
    "INNER JOIN SISETUMST SI ON (SZ.SCODE = SI.SCODE)\n"
    "INNER JOIN BUMONMST  BU ON (SZ.BCODE = BU.BCODE)\n"
    "INNER JOIN KAMOKUMST KM ON (SZ.KCODE = KM.KCODE)\n"
    "INNER JOIN HOJOMST   HM ON (SZ.KCODE = HM.KCODE AND SZ.HCODE=HM.HCODE)");

void readKamoku(core::TIBSQL& q, core::TKMKREC& k, bool versionColumns) {
    // The account's own KCODE is the second KCODE of the list; KAMOKU_SZ's equals it.
    k.KCODE = q.fieldByName(QStringLiteral("KCODE")).asString();
    k.USERCODE = q.fieldByName(QStringLiteral("USERCODE")).asString();
    k.REC = q.fieldByName(QStringLiteral("REC")).asInteger();
    k.GROUPM1 = q.fieldByName(QStringLiteral("GROUPM1")).asString();
    k.GROUPM2 = q.fieldByName(QStringLiteral("GROUPM2")).asString();
    k.KNAME = q.fieldByName(QStringLiteral("KNAME")).asString();
    k.BLDAC = q.fieldByName(QStringLiteral("BLDAC")).asInteger();
    k.DAC = q.fieldByName(QStringLiteral("DAC")).asInteger();
    k.DELFLG = q.fieldByName(QStringLiteral("DELFLG")).asInteger();
    k.TAX_LCODE = q.fieldByName(QStringLiteral("TAX_LCODE")).asInteger();
    k.TAX_RCODE = q.fieldByName(QStringLiteral("TAX_RCODE")).asInteger();
    k.FUN_LCODE = q.fieldByName(QStringLiteral("FUN_LCODE")).asInteger();
    k.FUN_RCODE = q.fieldByName(QStringLiteral("FUN_RCODE")).asInteger();
    k.HOJOSW = q.fieldByName(QStringLiteral("HOJOSW")).asString().trimmed();
    k.BPFLG = q.fieldByName(QStringLiteral("BPFLG")).asString();
    k.KEIHKUBU = q.fieldByName(QStringLiteral("KEIHKUBU")).asString().trimmed();
    k.EXT1_KS = q.fieldByName(QStringLiteral("EXT1_KS")).asInteger();
    k.EXT1_A4 = q.fieldByName(QStringLiteral("EXT1_A4")).asInteger();
    k.EXT1_A3 = q.fieldByName(QStringLiteral("EXT1_A3")).asInteger();
    k.ZEIRITUKBN = versionColumns ? q.fieldByName(QStringLiteral("ZEIRITUKBN")).asInteger() : 0;
}

} // namespace

QString TSiwakeWrite::kamokuSelectList(bool forArray) const {
    QString list = QStringLiteral(
        "SELECT SZ.SCODE,SZ.KCODE,SZ.HCODE,SZ.BCODE,SI.SNAME,KM.KCODE,KM.USERCODE,KM.REC,KM.GROUPM1,KM.GROUPM2,KM.KNAME,"
        "KM.BLDAC,KM.DAC,KM.DELFLG,KM.TAX_LCODE,KM.TAX_RCODE,KM.FUN_LCODE,KM.FUN_RCODE,KM.HOJOSW,KM.BPFLG,KM.KEIHKUBU,"
        "KM.EXT1_A4,KM.EXT1_A3,KM.EXT1_KS,HM.HNAME,HM.REC,HM.TAX_LCODE AS H_TAX_LCODE,HM.TAX_RCODE AS H_TAX_RCODE,"
        "HM.BPFLG,HM.SIME,HM.SAITO,HM.CoDATE,HM.GENDO,HM.WARIAISW,HM.WARI1,HM.WARI2,HM.WARI3,HM.TEGATA,HM.YOKKMK,"
        "HM.YOKHOJ,HM.ADDRESS,HM.KOUZA,HM.BANK,HM.SITEN,HM.KANKEI,HM.TORIHIK,HM.RIRITU,HM.RIYUU,HM.TANPO,HM.YOUTO,"
        "HM.FURIKOMI,HM.KARINAME,HM.KARIDADD,BU.BNAME");
    if (forArray)
        list.replace(QStringLiteral("HM.REC,"), QStringLiteral("HM.REC AS H_REC,"));
    if (DataVersionAtLeast(11, 1, 0))
        list += QStringLiteral(",KM.ZEIRITUKBN,HM.ZEIRITUKBN AS H_ZEIRITUKBN");
    return list;
}

void TSiwakeWrite::ClearKamokuInfo() { KamokuInfo = TSiwakeKamokuInfo{}; }

bool TSiwakeWrite::GetKamokuInfo(const QString& scode, const QString& bcode, const QString& userCode,
                                 const QString& hcode) {
    if (scode.size() > 6 || bcode.size() > 6 || userCode.size() > 6 || hcode.size() > 6)
        return false;
    beginAuto();
    bool found = false;
    try {
        ClearKamokuInfo();
        const QString h = hcode.isEmpty() ? QStringLiteral(" ") : hcode;
        sql_.close();
        sql_.sql().clear();
        sql_.sql() << kamokuSelectList(false) << kKamokuFrom << kKamokuJoins;
        if (!bcode.isEmpty())
            sql_.sql() << QStringLiteral("WHERE SZ.SCODE=:SCODE AND KM.USERCODE=:USERCODE AND SZ.HCODE=:HCODE AND SZ.BCODE=:BCODE");
        else
            sql_.sql() << QStringLiteral("WHERE SZ.SCODE=:SCODE AND KM.USERCODE=:USERCODE AND SZ.HCODE=:HCODE");
        sql_.paramByName(QStringLiteral("SCODE")).setString(scode);
        sql_.paramByName(QStringLiteral("USERCODE")).setString(userCode);
        sql_.paramByName(QStringLiteral("HCODE")).setString(h);
        if (!bcode.isEmpty())
            sql_.paramByName(QStringLiteral("BCODE")).setString(bcode);
        sql_.execQuery();
        KamokuInfo.SCODE = scode;
        KamokuInfo.BCODE = bcode;
        KamokuInfo.USERCODE = userCode;
        KamokuInfo.HCODE = h;
        found = !sql_.eof();
        if (found) {
            const bool versionColumns = DataVersionAtLeast(11, 1, 0);
            KamokuInfo.SNAME = sql_.fieldByName(QStringLiteral("SNAME")).asString();
            KamokuInfo.BNAME = sql_.fieldByName(QStringLiteral("BNAME")).asString();
            readKamoku(sql_, KamokuInfo.Kamoku, versionColumns);
            KamokuInfo.Kamoku.REC = sql_.fields(7).asInteger(); // KM.REC, not HM.REC
            KamokuInfo.Kamoku.BPFLG = sql_.fields(19).asString();
            KamokuInfo.HNAME = sql_.fieldByName(QStringLiteral("HNAME")).asString();
            KamokuInfo.H_TAX_LCODE = sql_.fieldByName(QStringLiteral("H_TAX_LCODE")).asInteger();
            KamokuInfo.H_TAX_RCODE = sql_.fieldByName(QStringLiteral("H_TAX_RCODE")).asInteger();
        }
        sql_.close();
    } catch (...) {
        sql_.close();
        commitAuto();
        throw;
    }
    commitAuto();
    return found;
}

bool TSiwakeWrite::SetSCODE(const QString& scode) {
    SCODE = scode;
    return GetKamokuArray(scode);
}

bool TSiwakeWrite::GetKamokuArray(const QString& scode) {
    beginAuto();
    try {
        sql_.close();
        sql_.sql().clear();
        sql_.sql() << QStringLiteral("SELECT COUNT(SZ.SCODE) AS RECCNT FROM KAMOKU_SZ SZ") << kKamokuJoins
                   << QStringLiteral("WHERE SZ.SCODE=:SCODE");
        sql_.paramByName(QStringLiteral("SCODE")).setString(scode);
        sql_.execQuery();
        KamokuCount = sql_.eof() ? 0 : sql_.fieldByName(QStringLiteral("RECCNT")).asInteger();
        sql_.close();
        KamokuArray.clear();
        KamokuIndex.clear();
        if (KamokuCount > 0) {
            const bool versionColumns = DataVersionAtLeast(11, 1, 0);
            sql_.sql().clear();
            sql_.sql() << kamokuSelectList(true) << kKamokuFrom << kKamokuJoins << QStringLiteral("WHERE SZ.SCODE=:SCODE")
                       << QStringLiteral("ORDER BY SZ.SCODE,SZ.KCODE,SZ.HCODE,SZ.BCODE");
            sql_.paramByName(QStringLiteral("SCODE")).setString(scode);
            sql_.execQuery();
            int first = -1;
            bool hasHojo = false;
            bool hasBumon = false;
            QString previous;
            auto storeFlags = [&] {
                if (first >= 0) {
                    KamokuArray[first].HasHojo = hasHojo;
                    KamokuArray[first].HasBumon = hasBumon;
                }
            };
            for (int t = 0; !sql_.eof(); sql_.next(), ++t) {
                core::TKamokuRec row;
                readKamoku(sql_, row.Kamoku, versionColumns);
                row.Kamoku.REC = sql_.fields(7).asInteger();
                row.Kamoku.BPFLG = sql_.fields(19).asString();
                row.Hojo.KCODE = row.Kamoku.KCODE;
                row.Hojo.HCODE = sql_.fieldByName(QStringLiteral("HCODE")).asString();
                row.Hojo.HNAME = sql_.fieldByName(QStringLiteral("HNAME")).asString();
                row.Hojo.REC = sql_.fieldByName(QStringLiteral("H_REC")).asInteger();
                row.Hojo.H_TAX_LCODE = sql_.fieldByName(QStringLiteral("H_TAX_LCODE")).asInteger();
                row.Hojo.H_TAX_RCODE = sql_.fieldByName(QStringLiteral("H_TAX_RCODE")).asInteger();
                row.Hojo.ZEIRITUKBN = versionColumns ? sql_.fieldByName(QStringLiteral("H_ZEIRITUKBN")).asInteger() : 0;
                row.Bumon.BCODE = sql_.fieldByName(QStringLiteral("BCODE")).asString();
                row.Bumon.BNAME = sql_.fieldByName(QStringLiteral("BNAME")).asString();
                if (t == 0 || row.Kamoku.USERCODE != previous) {
                    storeFlags();
                    first = t;
                    hasHojo = false;
                    hasBumon = false;
                    KamokuIndex << QStringLiteral("%1=%2").arg(row.Kamoku.USERCODE).arg(t);
                    previous = row.Kamoku.USERCODE;
                }
                hasHojo = hasHojo || row.Hojo.HCODE != QStringLiteral(" ");
                hasBumon = hasBumon || row.Bumon.BCODE != QStringLiteral(" ");
                KamokuArray << row;
            }
            storeFlags();
            sql_.close();
        }
        KamokuCount = int(KamokuArray.size());
    } catch (const core::EIBError& e) {
        sql_.close();
        core::ReportFbAccessError(e, QStringLiteral("TSiwakeWrite.GetKamokuArray"), QString(), 0);
        commitAuto();
        throw;
    } catch (...) {
        sql_.close();
        commitAuto();
        throw;
    }
    commitAuto();
    return true;
}

bool TSiwakeWrite::FindKobetuCode(const QString& code) {
    for (int i = 0; i < KobetuCodes.size(); ++i) {
        if (KobetuCodes[i].first == code) {
            KobetuIndex = i;
            return true;
        }
    }
    return false;
}

} // namespace cloudexchange
