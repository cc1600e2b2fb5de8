#include "companydata/DataInfomationRec.h"

#include "platform/IniFile.h"

#include <QStringList>

namespace companydata {

void ClearDataInfoRec(TDataInfomationRec& rec) { rec = TDataInfomationRec{}; }

QString VersionText(const TDataInfomationRec& rec) {
    return QStringLiteral("%1.%2.%3").arg(rec.VerMajor).arg(rec.VerMinor1).arg(rec.VerMinor2);
}

void WriteDataStsSection(platform::TIniFile& ini, const TDataInfomationRec& rec) {
    const QString& s = kSectionDataSts;
    ini.EraseSection(s);
    ini.WriteInteger(s, QStringLiteral("STATUS"), rec.Status);
    if (rec.OpCode != 0) {
        ini.WriteInteger(s, QStringLiteral("OPCODE"), rec.OpCode);
        ini.WriteString(s, QStringLiteral("OPERATOR"), rec.OpName);
    }
    ini.WriteInteger(s, QStringLiteral("SHARE_STATUS"), rec.ShareStatus);
    if (rec.ShareOpCode != 0) {
        ini.WriteInteger(s, QStringLiteral("SHARE_OPCODE"), rec.ShareOpCode);
        ini.WriteString(s, QStringLiteral("SHARE_OPERATOR"), rec.ShareOpName);
    }
    ini.WriteInteger(s, QStringLiteral("UPDATE_LOCK"), rec.UpdateLock);
    ini.WriteInteger(s, QStringLiteral("READ_ONLY"), rec.ReadOnly);
}

void WriteDataInfoSection(platform::TIniFile& ini, const TDataInfomationRec& rec) {
    const QString& s = kSectionDataInfo;
    ini.EraseSection(s);
    ini.WriteString(s, QStringLiteral("DATALISTNAME"), rec.DataListName);
    ini.WriteString(s, QStringLiteral("CODE"), rec.Code);
    ini.WriteInteger(s, QStringLiteral("DATAKBN"), rec.DataKbn);
    ini.WriteInteger(s, QStringLiteral("CODEKBN"), rec.CodeKbn);
    ini.WriteString(s, QStringLiteral("SHOUGOU"), rec.Shougou);
    ini.WriteString(s, QStringLiteral("KANA"), rec.Kana);
    ini.WriteInteger(s, QStringLiteral("NENDO"), rec.Nendo);
    ini.WriteString(s, QStringLiteral("KISHU"), rec.Kishu);
    ini.WriteString(s, QStringLiteral("KIMATU"), rec.Kimatu);
    ini.WriteInteger(s, QStringLiteral("TANTO"), rec.Tanto);
    ini.WriteInteger(s, QStringLiteral("SITEN"), rec.Siten);
    ini.WriteInteger(s, QStringLiteral("SITENCNT"), rec.SitenCnt);
    ini.WriteInteger(s, QStringLiteral("BUMON"), rec.Bumon);
    ini.WriteInteger(s, QStringLiteral("BUMONCNT"), rec.BumonCnt);
    ini.WriteInteger(s, QStringLiteral("SIWAKE"), rec.Siwake);
    ini.WriteInteger(s, QStringLiteral("TOTALSIWAKE"), rec.TotalSiwake);
    ini.WriteString(s, QStringLiteral("VERSION1"), VersionText(rec));
    ini.WriteString(s, QStringLiteral("VERSION2"), rec.VerName);
    ini.WriteInteger(s, QStringLiteral("GASSANKBN"), rec.GassanKbn);
    ini.WriteInteger(s, QStringLiteral("USEMYNUMBER"), rec.UseMyNumber);
    ini.WriteInteger(s, QStringLiteral("CLOUD_SHARE"), rec.CloudShare);
}

namespace {

qint32 numberPart(const QStringList& parts, int i) {
    bool ok = false;
    const int v = i < parts.size() ? parts.at(i).trimmed().toInt(&ok) : 0;
    return ok ? v : 0;
}

} // namespace

void ReadDataInfoSections(const platform::TIniFile& ini, TDataInfomationRec& rec) {
    ClearDataInfoRec(rec);
    const QString& st = kSectionDataSts;
    rec.Status = static_cast<quint8>(ini.ReadInteger(st, QStringLiteral("STATUS"), kDataNormal));
    rec.OpCode = ini.ReadInteger(st, QStringLiteral("OPCODE"), 0);
    rec.OpName = ini.ReadString(st, QStringLiteral("OPERATOR"), QString());
    rec.ShareStatus = static_cast<quint8>(ini.ReadInteger(st, QStringLiteral("SHARE_STATUS"), kShareInPlace));
    rec.ShareOpCode = ini.ReadInteger(st, QStringLiteral("SHARE_OPCODE"), 0);
    rec.ShareOpName = ini.ReadString(st, QStringLiteral("SHARE_OPERATOR"), QString());
    rec.UpdateLock = ini.ReadInteger(st, QStringLiteral("UPDATE_LOCK"), 0);
    rec.ReadOnly = ini.ReadInteger(st, QStringLiteral("READ_ONLY"), 0);

    const QString& s = kSectionDataInfo;
    rec.DataListName = ini.ReadString(s, QStringLiteral("DATALISTNAME"), QString());
    rec.Code = ini.ReadString(s, QStringLiteral("CODE"), QString());
    rec.DataKbn = ini.ReadInteger(s, QStringLiteral("DATAKBN"), 0);
    rec.CodeKbn = ini.ReadInteger(s, QStringLiteral("CODEKBN"), 0);
    rec.Shougou = ini.ReadString(s, QStringLiteral("SHOUGOU"), QString());
    rec.Kana = ini.ReadString(s, QStringLiteral("KANA"), QString());
    rec.Nendo = ini.ReadInteger(s, QStringLiteral("NENDO"), 0);
    rec.Kishu = ini.ReadString(s, QStringLiteral("KISHU"), QString());
    rec.Kimatu = ini.ReadString(s, QStringLiteral("KIMATU"), QString());
    rec.Tanto = ini.ReadInteger(s, QStringLiteral("TANTO"), 0);
    rec.Siten = ini.ReadInteger(s, QStringLiteral("SITEN"), 0);
    rec.SitenCnt = ini.ReadInteger(s, QStringLiteral("SITENCNT"), 0);
    rec.Bumon = ini.ReadInteger(s, QStringLiteral("BUMON"), 0);
    rec.BumonCnt = ini.ReadInteger(s, QStringLiteral("BUMONCNT"), 0);
    rec.Siwake = ini.ReadInteger(s, QStringLiteral("SIWAKE"), 0);
    rec.TotalSiwake = ini.ReadInteger(s, QStringLiteral("TOTALSIWAKE"), 0);
    const QString version = ini.ReadString(s, QStringLiteral("VERSION1"), QString());
    if (!version.isEmpty()) {
        const QStringList parts = version.split(QLatin1Char('.'));
        rec.VerMajor = numberPart(parts, 0);
        rec.VerMinor1 = numberPart(parts, 1);
        rec.VerMinor2 = numberPart(parts, 2);
    }
    rec.VerName = ini.ReadString(s, QStringLiteral("VERSION2"), QString());
    rec.GassanKbn = static_cast<quint8>(ini.ReadInteger(s, QStringLiteral("GASSANKBN"), 0));
    rec.UseMyNumber = ini.ReadInteger(s, QStringLiteral("USEMYNUMBER"), 0);
    rec.CloudShare = static_cast<quint8>(ini.ReadInteger(s, QStringLiteral("CLOUD_SHARE"), 0));

    if (rec.DataListName.isEmpty())
        rec.DataListName = rec.Shougou;
}

} // namespace companydata
