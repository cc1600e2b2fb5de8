#include "schema/DataSetInfo.h"

#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"

#include <QFile>

#include <stdexcept>

namespace schema {
namespace {

int intOf(core::TIBDatabase& db, core::TIBTransaction& t, const QString& sql) {
    core::TIBSQL q(&db, &t);
    q.sql() << sql;
    q.execQuery();
    return q.eof() ? 0 : q.fields(0).asInteger();
}

// An integer setting of ACCREG; missing or not a number gives 0.
int accRegInteger(core::TIBDatabase& db, core::TIBTransaction& t, const QString& group, const QString& key) {
    core::TIBSQL q(&db, &t);
    q.sql() << QStringLiteral("SELECT ATEXT FROM ACCREG WHERE AGROUP=:AGROUP AND ACODE=:ACODE");
    q.paramByName(QStringLiteral("AGROUP")).setString(group);
    q.paramByName(QStringLiteral("ACODE")).setString(key);
    q.execQuery();
    return q.eof() ? 0 : q.fields(0).asString().trimmed().toInt();
}

QString dateText(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : QString();
}

} // namespace

QString leftCp932Bytes(const QString& text, int maxBytes) {
    QString result;
    int bytes = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype step = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, step);
        const int width = int(platform::cp932Length(ch));
        if (bytes + width > maxBytes)
            break;
        result += ch;
        bytes += width;
        i += step;
    }
    return result;
}

DataSetInfo readDataSetInfo(core::TIBDatabase& company) {
    DataSetInfo info;
    core::TIBTransaction t;
    t.addDatabase(&company);
    t.startTransaction();
    {
        core::TIBSQL q(&company, &t);
        q.sql() << QStringLiteral("SELECT ENTTEXT,DATATYPE,CODETYPE,SCODE1,SKANA,SHOUGOU,TANTOU,NENDO,KISHU,KIMATU,")
                << QStringLiteral("SITEN,BUMON,DATALOCK,CLOUD_LINE,READ_ONLY FROM ACCDEF1 WHERE REC=1");
        q.execQuery();
        if (q.eof())
            throw std::runtime_error("the company database has no ACCDEF1 row 1");
        info.dataListName = q.fieldByName(QStringLiteral("ENTTEXT")).asString();
        info.dataKbn = q.fieldByName(QStringLiteral("DATATYPE")).asInteger();
        info.codeKbn = q.fieldByName(QStringLiteral("CODETYPE")).asInteger();
        info.code = q.fieldByName(QStringLiteral("SCODE1")).asString();
        info.kana = q.fieldByName(QStringLiteral("SKANA")).asString();
        info.shougou = q.fieldByName(QStringLiteral("SHOUGOU")).asString();
        info.tanto = q.fieldByName(QStringLiteral("TANTOU")).asInteger();
        info.nendo = q.fieldByName(QStringLiteral("NENDO")).asInteger();
        info.kishu = q.fieldByName(QStringLiteral("KISHU")).asDate();
        info.kimatu = q.fieldByName(QStringLiteral("KIMATU")).asDate();
        info.siten = q.fieldByName(QStringLiteral("SITEN")).asInteger();
        info.bumon = q.fieldByName(QStringLiteral("BUMON")).asInteger();
        info.updateLock = q.fieldByName(QStringLiteral("DATALOCK")).asInteger();
        info.cloudShare = q.fieldByName(QStringLiteral("CLOUD_LINE")).asInteger() > 0 ? 1 : 0;
        info.readOnly = q.fieldByName(QStringLiteral("READ_ONLY")).asInteger();
    }
    {
        core::TIBSQL q(&company, &t);
        q.sql() << QStringLiteral("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION WHERE REC=1");
        q.execQuery();
        if (!q.eof()) {
            info.verMajor = q.fields(0).asInteger();
            info.verMinor1 = q.fields(1).asInteger();
            info.verMinor2 = q.fields(2).asInteger();
            info.verName = QStringLiteral("%1.%2").arg(info.verMajor).arg(info.verMinor1);
        }
    }
    if (info.siten > 0)
        info.sitenCnt = intOf(company, t, QStringLiteral("SELECT COUNT(SCODE) FROM SISETUMST WHERE SCODE<>''"));
    if (info.bumon > 0)
        info.bumonCnt = intOf(company, t, QStringLiteral("SELECT COUNT(BCODE) FROM BUMONMST WHERE BCODE<>''"));
    info.siwake = intOf(company, t, QStringLiteral("SELECT SUM(SIWAKECOUNT) FROM SISETUMST"));
    info.totalSiwake =
        info.siwake + intOf(company, t, QStringLiteral("SELECT COUNT(REC) FROM SIWAKE WHERE DELFLG IN (1,2) AND TAISHAKU=1"));
    info.gassanKbn = accRegInteger(company, t, QStringLiteral("基本設定"), QStringLiteral("合算データ区分"));
    info.useMyNumber = accRegInteger(company, t, QStringLiteral("基本設定"), QStringLiteral("＃USE"));
    t.commit();
    if (info.dataListName.trimmed().isEmpty())
        info.dataListName = info.shougou;
    return info;
}

void writeDataFolderIni(const QString& folder, const DataSetInfo& info) {
    const QString path = folder + QStringLiteral("/qmacc.ini");
    QFile::remove(path);
    platform::TIniFile ini(path);
    const QString sts = QStringLiteral("DATASTS");
    ini.WriteInteger(sts, QStringLiteral("STATUS"), 1);
    ini.WriteInteger(sts, QStringLiteral("SHARE_STATUS"), 1);
    ini.WriteInteger(sts, QStringLiteral("UPDATE_LOCK"), info.updateLock);
    ini.WriteInteger(sts, QStringLiteral("READ_ONLY"), info.readOnly);

    const QString inf = QStringLiteral("DATAINFO");
    ini.WriteString(inf, QStringLiteral("DATALISTNAME"), info.dataListName);
    ini.WriteString(inf, QStringLiteral("CODE"), info.code);
    ini.WriteInteger(inf, QStringLiteral("DATAKBN"), info.dataKbn);
    ini.WriteInteger(inf, QStringLiteral("CODEKBN"), info.codeKbn);
    ini.WriteString(inf, QStringLiteral("SHOUGOU"), info.shougou);
    ini.WriteString(inf, QStringLiteral("KANA"), info.kana);
    ini.WriteInteger(inf, QStringLiteral("NENDO"), info.nendo);
    ini.WriteString(inf, QStringLiteral("KISHU"), dateText(info.kishu));
    ini.WriteString(inf, QStringLiteral("KIMATU"), dateText(info.kimatu));
    ini.WriteInteger(inf, QStringLiteral("TANTO"), info.tanto);
    ini.WriteInteger(inf, QStringLiteral("SITEN"), info.siten);
    ini.WriteInteger(inf, QStringLiteral("SITENCNT"), info.sitenCnt);
    ini.WriteInteger(inf, QStringLiteral("BUMON"), info.bumon);
    ini.WriteInteger(inf, QStringLiteral("BUMONCNT"), info.bumonCnt);
    ini.WriteInteger(inf, QStringLiteral("SIWAKE"), info.siwake);
    ini.WriteInteger(inf, QStringLiteral("TOTALSIWAKE"), info.totalSiwake);
    ini.WriteString(inf, QStringLiteral("VERSION1"),
                    QStringLiteral("%1.%2.%3").arg(info.verMajor).arg(info.verMinor1).arg(info.verMinor2));
    ini.WriteString(inf, QStringLiteral("VERSION2"), info.verName);
    ini.WriteInteger(inf, QStringLiteral("GASSANKBN"), info.gassanKbn);
    ini.WriteInteger(inf, QStringLiteral("USEMYNUMBER"), info.useMyNumber);
    ini.WriteInteger(inf, QStringLiteral("CLOUD_SHARE"), info.cloudShare);
}

void registerDataSet(core::TIBDatabase& system, int rec, const QString& folder, const DataSetInfo& info) {
    core::TIBTransaction t;
    t.addDatabase(&system);
    t.startTransaction();
    core::TIBSQL q(&system, &t);
    q.sql() << QStringLiteral("UPDATE DATALIST")
            << QStringLiteral("SET PASNAME=:PASNAME,ENTTEXT=:ENTTEXT,SHOUGOU=:SHOUGOU,NETDRIVE=0,")
            << QStringLiteral("DATATYPE=:DATATYPE,CODETYPE=:CODETYPE,NENDO=:NENDO,KISHU=:KISHU,KIMATU=:KIMATU,")
            << QStringLiteral("DATALOCK=0,KYOYULOCK=0,TANTOU=:TANTOU,")
            << QStringLiteral("VER_MAJOR=:VER_MAJOR,VER_MINOR1=:VER_MINOR1,VER_MINOR2=:VER_MINOR2,VER_TEXT=:VER_TEXT,")
            << QStringLiteral("UPDATE_LOCK=:UPDATE_LOCK,GASSAN=:GASSAN,DATACODE=:DATACODE,DATA_STATUS=0,")
            << QStringLiteral("CLOUD=:CLOUD,READ_ONLY=:READ_ONLY")
            << QStringLiteral("WHERE (REC=:REC) AND (GROUPID=:GROUPID)");
    // The registry columns are narrower than the company's own: names are cut at 40 bytes.
    q.paramByName(QStringLiteral("PASNAME")).setString(folder);
    q.paramByName(QStringLiteral("ENTTEXT")).setString(leftCp932Bytes(info.dataListName, 40));
    q.paramByName(QStringLiteral("SHOUGOU")).setString(leftCp932Bytes(info.shougou, 40));
    q.paramByName(QStringLiteral("DATATYPE")).setInteger(info.dataKbn);
    q.paramByName(QStringLiteral("CODETYPE")).setInteger(info.codeKbn);
    q.paramByName(QStringLiteral("NENDO")).setInteger(info.nendo);
    q.paramByName(QStringLiteral("KISHU")).setDateTime(QDateTime(info.kishu, QTime(0, 0)));
    q.paramByName(QStringLiteral("KIMATU")).setDateTime(QDateTime(info.kimatu, QTime(0, 0)));
    q.paramByName(QStringLiteral("TANTOU")).setInteger(info.tanto);
    q.paramByName(QStringLiteral("VER_MAJOR")).setInteger(info.verMajor);
    q.paramByName(QStringLiteral("VER_MINOR1")).setInteger(info.verMinor1);
    q.paramByName(QStringLiteral("VER_MINOR2")).setInteger(info.verMinor2);
    q.paramByName(QStringLiteral("VER_TEXT")).setString(info.verName);
    q.paramByName(QStringLiteral("UPDATE_LOCK")).setInteger(info.updateLock);
    q.paramByName(QStringLiteral("GASSAN")).setInteger(info.gassanKbn);
    q.paramByName(QStringLiteral("DATACODE")).setString(info.code.left(10));
    q.paramByName(QStringLiteral("CLOUD")).setInteger(info.cloudShare);
    q.paramByName(QStringLiteral("READ_ONLY")).setInteger(info.readOnly);
    q.paramByName(QStringLiteral("REC")).setInteger(rec);
    q.paramByName(QStringLiteral("GROUPID")).setInteger(10000);
    q.execSQL();
    if (q.rowsAffected() != 1)
        throw std::runtime_error(QStringLiteral("DATALIST has no row %1 to register %2 in").arg(rec).arg(folder).toStdString());
    t.commit();
}

} // namespace schema
