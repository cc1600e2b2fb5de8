#include "cloudexchange/DictionaryFile.h"

#include "core/Exception.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/text/SjisText.h"
#include "platform/Cp932.h"

#include <QDate>
#include <QDateTime>
#include <QFile>

namespace cloudexchange {

namespace {

const QString kTypeLabel = QStringLiteral("// ファイル種別: ");
const QString kVersionLabel = QStringLiteral("// ファイルVer : ");

QString quoted(const QString& text) { return u'"' + text + u'"'; }

bool isComment(const QString& line) { return line.startsWith(QStringLiteral("//")); }

int toIntOr(const QString& text, int fallback) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : fallback;
}

// The first n CP932 bytes, trimmed of blanks and full-width spaces.
QString cutTrim(const QString& text, int n) { return core::TrimZenkaku(core::LeftStrB(text, n)); }

} // namespace

// ---- TBaseLoader ----

TBaseLoader::TBaseLoader() {
    if (core::DM)
        SetDatabase(&core::DM->IBDatabaseDAT);
}

void TBaseLoader::SetDatabase(core::TIBDatabase* database) {
    for (core::TIBSQL& q : sql_)
        q.setDatabase(database);
}

void TBaseLoader::SetTransaction(core::TIBTransaction* transaction) {
    transaction_ = transaction;
    for (core::TIBSQL& q : sql_) {
        core::TIBDatabase* db = q.database();
        q.setTransaction(transaction);
        q.setDatabase(db);
    }
}

QString TBaseLoader::EncodeText(const QString& text, bool clean) {
    QString out = clean ? core::RemoveTabCrLf(text) : text;
    return out.replace(QStringLiteral("\""), QStringLiteral("''"));
}

QString TBaseLoader::DecodeText(const QString& text, bool clean) {
    QString out = clean ? core::RemoveTabCrLf(text) : text;
    return out.replace(QStringLiteral("''"), QStringLiteral("\""));
}

void TBaseLoader::WriteFileHeader() {
    const core::TACCINF& acc = core::AccInf;
    if (!FileType.isEmpty())
        Lines << kTypeLabel + FileType;
    if (!FileVersion.isEmpty())
        Lines << kVersionLabel + FileVersion;
    Lines << QStringLiteral("// データ名    : ") + acc.SHOUGOU;
    QString kind = QStringLiteral("不明");
    if (acc.DATATYPE == 1)
        kind = QStringLiteral("法人");
    else if (acc.DATATYPE == 2)
        kind = QStringLiteral("個人");
    else if (acc.DATATYPE == 3)
        kind = QStringLiteral("医療法人");
    Lines << QStringLiteral("// データ種別  : ") + kind;
    Lines << QStringLiteral("// データVer   : ") +
                 QStringLiteral("%1.%2.%3").arg(acc.DataMajor).arg(acc.DataMinor1).arg(acc.DataMinor2);
    Lines << QStringLiteral("// 作成日      : ") + QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
}

int TBaseLoader::MajorOf(const QString& version) {
    const QStringList parts = version.split(u'.');
    if (parts.size() != 2)
        return 0;
    return toIntOr(parts[0], 0);
}

bool TBaseLoader::CheckFileHeader() const {
    bool typeFound = false;
    for (const QString& line : Lines) {
        if (line == kTypeLabel + FileType)
            typeFound = true;
        const int at = line.indexOf(kVersionLabel);
        if (CheckVersion && at >= 0 && MajorOf(line.mid(at + kVersionLabel.size()).trimmed()) != MajorOf(FileVersion))
            return false;
    }
    return typeFound;
}

void TBaseLoader::SaveLines(const QString& fileName) const {
    QFile file(fileName);
    QByteArray bytes;
    for (const QString& line : Lines)
        bytes += platform::toCp932(line) + "\r\n";
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush())
        throw core::Exception(QStringLiteral("ファイル「%1」に書き込めません。").arg(fileName));
}

bool TBaseLoader::LoadLines(const QString& fileName) {
    Lines.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString text = platform::fromCp932(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    Lines = text.split(u'\n');
    if (!Lines.isEmpty() && Lines.last().isEmpty())
        Lines.removeLast();
    return true;
}

// ---- TJisyoLoader ----

TJisyoLoader::TJisyoLoader() {
    FileType = QStringLiteral("摘要・取引先辞書設定");
    CheckVersion = true;
    SetVersion(QStringLiteral("1.2"));
    ClearJisyo();
}

void TJisyoLoader::ClearJisyo() {
    Lines.clear();
    CrecMap.clear();
    AccountCodes.clear();
    AccountCodesScode = QStringLiteral("**");
}

void TJisyoLoader::SetVersion(const QString& version) {
    FileVersion = version;
    RecordCodes = {QStringLiteral("200"), QStringLiteral("202"), QStringLiteral("300"), QStringLiteral("303")};
}

bool TJisyoLoader::ExportJisyo(const QString& fileName) {
    ClearJisyo();
    if (fileName.trimmed().isEmpty())
        return false;
    WriteFileHeader();
    forTargets(false, &TJisyoLoader::exportDictionary);
    SaveLines(fileName);
    return true;
}

void TJisyoLoader::forTargets(bool writing, void (TJisyoLoader::*dictionaryStep)(bool customer)) {
    const bool owned = transaction_ && !transaction_->inTransaction();
    if (owned)
        transaction_->startTransaction();
    try {
        if (Target == 0 || Target == 1)
            (this->*dictionaryStep)(false);
        if (Target == 0 || Target == 2)
            (this->*dictionaryStep)(true);
    } catch (...) {
        for (core::TIBSQL& q : sql_)
            q.close();
        if (owned && transaction_->inTransaction()) {
            if (writing)
                transaction_->rollback();
            else
                transaction_->commit();
        }
        throw;
    }
    if (owned)
        transaction_->commit();
}

void TJisyoLoader::exportDictionary(bool customer) {
    const QString headTable = customer ? QStringLiteral("TORDICTI") : QStringLiteral("TEKDICTI");
    core::TIBSQL& q = sql_[0];
    q.sql().clear();
    q.sql() << QStringLiteral("SELECT CREC,SCODE,SORTCODE,TEXT,MOVEMENT FROM ") + headTable;
    if (!AllFacilities)
        q.sql() << QStringLiteral("WHERE SCODE=:SCODE");
    q.sql() << QStringLiteral("ORDER BY SCODE,SORTCODE");
    if (!AllFacilities)
        q.paramByName(QStringLiteral("SCODE")).setString(SCODE);
    q.execQuery();
    QString previous;
    int position = 0;
    for (bool first = true; !q.eof(); q.next(), first = false) {
        QString scode = q.fieldByName(QStringLiteral("SCODE")).asString();
        if (first || scode != previous)
            position = 0;
        previous = scode;
        ++position;
        if (scode.isEmpty())
            scode = QStringLiteral(" ");
        Lines << quoted(RecordCodes[customer ? rkTorHeader : rkTekHeader]) + u',' +
                     QString::number(q.fieldByName(QStringLiteral("CREC")).asInteger()) + u',' + quoted(scode) + u',' +
                     QString::number(position) + u',' +
                     quoted(EncodeText(q.fieldByName(QStringLiteral("TEXT")).asString(), true)) + u',' +
                     QString::number(q.fieldByName(QStringLiteral("MOVEMENT")).asInteger()) + u',';
    }
    q.close();

    q.sql().clear();
    q.sql() << (customer ? QStringLiteral("SELECT T.CREC,T.KANA,T.TEXT,T.TEKTEXT,T.SCODE,")
                         : QStringLiteral("SELECT T.CREC,T.KANA,T.TEXT,T.SCODE,"))
            << QStringLiteral("T.KAR_KCODE,T.KAR_HCODE,T.KAR_BCODE,T.KAR_TAXCODE,K1.USERCODE AS KAR_UC_KCODE,")
            << QStringLiteral("T.KAS_KCODE,T.KAS_HCODE,T.KAS_BCODE,T.KAS_TAXCODE,K2.USERCODE AS KAS_UC_KCODE,")
            << (customer ? QStringLiteral("T.WAITFLG,T.TAXOLD,T.TAXNUM,T.MOVEMENT,0 AS HAIBUN,T.RTIME FROM TORDIC T")
                         : QStringLiteral("T.WAITFLG,T.TAXOLD,T.TAXNUM,T.MOVEMENT,T.HAIBUN,T.RTIME FROM TEKDIC T"))
            << QStringLiteral("INNER JOIN %1 H ON (H.CREC=T.CREC)").arg(headTable)
            << QStringLiteral("LEFT  JOIN KAMOKUMST K1 ON (T.KAR_KCODE=K1.KCODE)")
            << QStringLiteral("LEFT  JOIN KAMOKUMST K2 ON (T.KAS_KCODE=K2.KCODE)");
    if (!AllFacilities)
        q.sql() << QStringLiteral("WHERE H.SCODE=:SCODE");
    q.sql() << QStringLiteral("ORDER BY H.SCODE,H.SORTCODE,T.KANA");
    if (!AllFacilities)
        q.paramByName(QStringLiteral("SCODE")).setString(SCODE);
    q.execQuery();
    for (; !q.eof(); q.next()) {
        auto text = [&](const char* name) { return q.fieldByName(QLatin1String(name)).asString(); };
        auto number = [&](const char* name) { return QString::number(q.fieldByName(QLatin1String(name)).asInteger()); };
        auto taxCode = [&](const char* name) {
            core::IBSQLField& f = q.fieldByName(QLatin1String(name));
            return quoted(f.isNull() ? QString() : QString::number(f.asInteger()));
        };
        QString scode = text("SCODE");
        if (scode.isEmpty())
            scode = QStringLiteral(" ");
        const core::IBSQLField& rtime = q.fieldByName(QStringLiteral("RTIME"));
        const QString rtimeText = (rtime.isNull() || Target != 0)
                                      ? QString()
                                      : rtime.asDateTime().toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
        QStringList fields;
        fields << quoted(RecordCodes[customer ? rkTorRow : rkTekRow]) << number("CREC") << quoted(scode)
               << quoted(text("KANA")) << quoted(EncodeText(text("TEXT"), true))
               << quoted(customer ? EncodeText(text("TEKTEXT"), true) : QString())
               << quoted(text("KAR_UC_KCODE")) << quoted(text("KAR_HCODE")) << quoted(text("KAR_BCODE"))
               << taxCode("KAR_TAXCODE") << quoted(text("KAS_UC_KCODE")) << quoted(text("KAS_HCODE"))
               << quoted(text("KAS_BCODE")) << taxCode("KAS_TAXCODE") << number("WAITFLG") << number("TAXOLD")
               << number("TAXNUM") << number("MOVEMENT") << number("HAIBUN") << quoted(rtimeText);
        Lines << fields.join(u',') + u',';
    }
    q.close();
}

int TJisyoLoader::CountRecords() {
    try {
        const QString tekRow = FileVersion == QStringLiteral("1.0") ? QStringLiteral("201") : QStringLiteral("202");
        QString torRow = QStringLiteral("303");
        if (FileVersion == QStringLiteral("1.0"))
            torRow = QStringLiteral("301");
        else if (FileVersion == QStringLiteral("1.1"))
            torRow = QStringLiteral("302");
        int count = 0;
        core::TMojiBunkatu splitter;
        for (const QString& line : Lines) {
            if (isComment(line))
                continue;
            splitter.Split(line);
            const QString code = splitter.GetItem(0);
            if (code.trimmed().isEmpty())
                continue;
            if ((Target == 0 || Target == 1) && (code == QStringLiteral("200") || code == tekRow))
                ++count;
            else if ((Target == 0 || Target == 2) && (code == QStringLiteral("300") || code == torRow))
                ++count;
        }
        return count;
    } catch (...) {
        return 0;
    }
}

bool TJisyoLoader::ImportJisyo(const QString& fileName) {
    ClearJisyo();
    if (fileName.trimmed().isEmpty() || !LoadLines(fileName) || Lines.isEmpty() || !CheckFileHeader() ||
        CountRecords() == 0)
        return false;
    forTargets(true, &TJisyoLoader::importDictionary);
    return true;
}

void TJisyoLoader::importDictionary(bool customer) {
    const QString headTable = customer ? QStringLiteral("TORDICTI") : QStringLiteral("TEKDICTI");
    const QString rowTable = customer ? QStringLiteral("TORDIC") : QStringLiteral("TEKDIC");
    core::TIBSQL& q = sql_[0];
    core::TIBSQL& q2 = sql_[1];
    core::TIBSQL& ins = sql_[2];

    q.sql().clear();
    q.sql() << QStringLiteral("DELETE FROM ") + rowTable;
    if (!AllFacilities) {
        q.sql() << QStringLiteral("WHERE SCODE=:SCODE");
        q.paramByName(QStringLiteral("SCODE")).setString(SCODE);
    }
    q.execSQL();
    q.close();
    if (AllFacilities) {
        q.sql().clear();
        q.sql() << QStringLiteral("UPDATE %1 SET TEXT=''").arg(headTable);
        q.execSQL();
        q.close();
    }

    // Headings are numbered 1, 2, … within their facility, the positions the file refers to.
    q.sql().clear();
    q.sql() << QStringLiteral("SELECT CREC,SCODE FROM ") + headTable;
    if (!AllFacilities)
        q.sql() << QStringLiteral("WHERE SCODE=:SCODE");
    q.sql() << QStringLiteral("ORDER BY SCODE,SORTCODE");
    if (!AllFacilities)
        q.paramByName(QStringLiteral("SCODE")).setString(SCODE);
    q.execQuery();
    q2.sql().clear();
    q2.sql() << QStringLiteral("UPDATE %1 SET SORTCODE=:SORTCODE").arg(headTable) << QStringLiteral("WHERE CREC=:CREC");
    QString previous;
    int n = 0;
    for (bool first = true; !q.eof(); q.next(), first = false) {
        const QString scode = q.fieldByName(QStringLiteral("SCODE")).asString();
        if (first || scode != previous)
            n = 0;
        previous = scode;
        q2.paramByName(QStringLiteral("SORTCODE")).setInteger(++n);
        q2.paramByName(QStringLiteral("CREC")).setInteger(q.fieldByName(QStringLiteral("CREC")).asInteger());
        q2.execSQL();
    }
    q.close();
    q2.close();

    ins.sql().clear();
    if (customer) {
        ins.sql() << QStringLiteral("INSERT INTO TORDIC(TEKCODE,CREC,KANA,MCODE,TEXT,TEKTEXT,SCODE,\"ROW\",COL,KAR_KCODE,KAR_HCODE,KAR_BCODE,KAR_TAXCODE,KAS_KCODE,KAS_HCODE,KAS_BCODE,KAS_TAXCODE,WAITFLG,TAXOLD,TAXNUM,MOVEMENT,RTIME)")
                  << QStringLiteral("VALUES(:TEKCODE,:CREC,:KANA,:MCODE,:TEXT,:TEKTEXT,:SCODE,:ROW,:COL,:KAR_KCODE,:KAR_HCODE,:KAR_BCODE,:KAR_TAXCODE,:KAS_KCODE,:KAS_HCODE,:KAS_BCODE,:KAS_TAXCODE,:WAITFLG,:TAXOLD,:TAXNUM,:MOVEMENT,:RTIME)");
    } else {
        ins.sql() << QStringLiteral("INSERT INTO TEKDIC(TEKCODE,CREC,KANA,FNUM,TEXT,SCODE,\"ROW\",COL,KAR_KCODE,KAR_HCODE,KAR_BCODE,KAR_TAXCODE,KAS_KCODE,KAS_HCODE,KAS_BCODE,KAS_TAXCODE,WAITFLG,TAXOLD,TAXNUM,MOVEMENT,HAIBUN,RTIME)")
                  << QStringLiteral("VALUES(:TEKCODE,:CREC,:KANA,:FNUM,:TEXT,:SCODE,:ROW,:COL,:KAR_KCODE,:KAR_HCODE,:KAR_BCODE,:KAR_TAXCODE,:KAS_KCODE,:KAS_HCODE,:KAS_BCODE,:KAS_TAXCODE,:WAITFLG,:TAXOLD,:TAXNUM,:MOVEMENT,:HAIBUN,:RTIME)");
    }
    const QString headCode = customer ? QStringLiteral("300") : QStringLiteral("200");
    const QStringList rowCodes = customer
                                     ? QStringList{QStringLiteral("301"), QStringLiteral("302"), QStringLiteral("303")}
                                     : QStringList{QStringLiteral("201"), QStringLiteral("202")};
    CrecMap.clear();
    QString previousFacility;
    bool anyHeading = false;
    n = 0;
    for (const QString& line : Lines) {
        if (isComment(line))
            continue;
        Splitter.Split(line);
        const QString code = Splitter.GetItem(0);
        QString facility = AllFacilities ? Splitter.GetItem(2) : SCODE;
        if (facility.isEmpty())
            facility = QStringLiteral(" ");
        if (code == headCode) {
            if (!anyHeading || facility != previousFacility)
                n = 1;
            anyHeading = true;
            previousFacility = facility;
            q.sql().clear();
            q.sql() << QStringLiteral("UPDATE %1 SET TEXT=:TEXT").arg(headTable)
                    << QStringLiteral("WHERE SCODE=:SCODE AND SORTCODE=:SORTCODE");
            q.paramByName(QStringLiteral("TEXT")).setString(DecodeText(Splitter.GetItem(4), true));
            q.paramByName(QStringLiteral("SCODE")).setString(facility);
            q.paramByName(QStringLiteral("SORTCODE")).setInteger(n);
            q.execSQL();
            q.close();
            q2.sql().clear();
            q2.sql() << QStringLiteral("SELECT CREC FROM ") + headTable
                     << QStringLiteral("WHERE SCODE=:SCODE AND SORTCODE=:SORTCODE");
            q2.paramByName(QStringLiteral("SCODE")).setString(facility);
            q2.paramByName(QStringLiteral("SORTCODE")).setInteger(n);
            q2.execQuery();
            const int crec = q2.eof() ? 0 : q2.fieldByName(QStringLiteral("CREC")).asInteger();
            q2.close();
            CrecMap << QStringLiteral("%1-%2=%3").arg(Splitter.GetItem(1), facility).arg(crec);
            ++n;
        } else if (rowCodes.contains(code)) {
            const QString key = QStringLiteral("%1-%2=").arg(Splitter.GetItem(1), facility);
            int crec = 0;
            bool mapped = false;
            for (const QString& entry : CrecMap) {
                if (entry.startsWith(key)) {
                    crec = toIntOr(entry.mid(key.size()), 0);
                    mapped = true;
                    break;
                }
            }
            if (!mapped || crec < 1)
                continue;
            LoadAccountCodes(facility);
            auto bindCode = [&](const char* name, const QString& value) {
                if (value.isEmpty())
                    ins.paramByName(QLatin1String(name)).setNull();
                else
                    ins.paramByName(QLatin1String(name)).setString(value);
            };
            QString kk = Splitter.GetItem(6), kh = Splitter.GetItem(7), kb = Splitter.GetItem(8);
            ConvertAccount(code, kk, kh, kb);
            QString sk = Splitter.GetItem(10), sh = Splitter.GetItem(11), sb = Splitter.GetItem(12);
            ConvertAccount(code, sk, sh, sb);
            ins.paramByName(QStringLiteral("TEKCODE")).setInteger(0);
            ins.paramByName(QStringLiteral("CREC")).setInteger(crec);
            ins.paramByName(QStringLiteral("KANA")).setString(cutTrim(Splitter.GetItem(3), 5));
            if (customer) {
                ins.paramByName(QStringLiteral("MCODE")).setInteger(0);
                ins.paramByName(QStringLiteral("TEXT")).setString(cutTrim(DecodeText(Splitter.GetItem(4), true), 40));
                ins.paramByName(QStringLiteral("TEKTEXT")).setString(cutTrim(DecodeText(Splitter.GetItem(5), true), 50));
            } else {
                ins.paramByName(QStringLiteral("FNUM")).setInteger(0);
                ins.paramByName(QStringLiteral("TEXT")).setString(cutTrim(DecodeText(Splitter.GetItem(4), true), 50));
                ins.paramByName(QStringLiteral("HAIBUN")).setInteger(toIntOr(Splitter.GetItem(18), 0));
            }
            ins.paramByName(QStringLiteral("SCODE")).setString(facility);
            ins.paramByName(QStringLiteral("ROW")).setInteger(0);
            ins.paramByName(QStringLiteral("COL")).setInteger(0);
            bindCode("KAR_KCODE", kk);
            bindCode("KAR_HCODE", kh);
            bindCode("KAR_BCODE", kb);
            ins.paramByName(QStringLiteral("KAR_TAXCODE")).setInteger(toIntOr(Splitter.GetItem(9), 910));
            bindCode("KAS_KCODE", sk);
            bindCode("KAS_HCODE", sh);
            bindCode("KAS_BCODE", sb);
            ins.paramByName(QStringLiteral("KAS_TAXCODE")).setInteger(toIntOr(Splitter.GetItem(13), 910));
            ins.paramByName(QStringLiteral("WAITFLG")).setInteger(toIntOr(Splitter.GetItem(14), 0));
            ins.paramByName(QStringLiteral("TAXOLD")).setInteger(toIntOr(Splitter.GetItem(15), 0));
            ins.paramByName(QStringLiteral("TAXNUM")).setInteger(toIntOr(Splitter.GetItem(16), 0));
            ins.paramByName(QStringLiteral("MOVEMENT")).setInteger(toIntOr(Splitter.GetItem(17), 0));
            const QString rtime = Splitter.GetItem(19);
            if (rtime.isEmpty()) {
                ins.paramByName(QStringLiteral("RTIME")).setNull();
            } else {
                QDateTime t = QDateTime::fromString(rtime, QStringLiteral("yyyy/MM/dd hh:mm:ss"));
                if (!t.isValid())
                    t = QDateTime(QDate::fromString(rtime, QStringLiteral("yyyy/MM/dd")), QTime(0, 0));
                ins.paramByName(QStringLiteral("RTIME")).setDateTime(t.isValid() ? t : QDateTime::currentDateTime());
            }
            ins.execSQL();
        }
    }
    ins.close();
}

void TJisyoLoader::LoadAccountCodes(const QString& scode) {
    if (scode == AccountCodesScode)
        return;
    AccountCodes.clear();
    core::TIBSQL& q = sql_[3];
    q.sql().clear();
    q.sql() << QStringLiteral("SELECT COUNT(KCODE) AS RECCNT FROM KAMOKU_VIEW") << QStringLiteral("WHERE SCODE=:SCODE");
    q.paramByName(QStringLiteral("SCODE")).setString(scode);
    q.execQuery();
    const int count = q.eof() ? 0 : q.fieldByName(QStringLiteral("RECCNT")).asInteger();
    q.close();
    AccountCodes.reserve(count);
    q.sql().clear();
    q.sql() << QStringLiteral("SELECT KCODE,USERCODE,HCODE,BCODE FROM KAMOKU_VIEW") << QStringLiteral("WHERE SCODE=:SCODE")
            << (FileVersion == QStringLiteral("1.0") ? QStringLiteral("ORDER BY KCODE,HCODE,BCODE")
                                                      : QStringLiteral("ORDER BY USERCODE,HCODE,BCODE"));
    q.paramByName(QStringLiteral("SCODE")).setString(scode);
    q.execQuery();
    for (; !q.eof(); q.next()) {
        core::TKamokuCodeRec rec;
        rec.KCODE = q.fieldByName(QStringLiteral("KCODE")).asString();
        rec.USERCODE = q.fieldByName(QStringLiteral("USERCODE")).asString();
        rec.HCODE = q.fieldByName(QStringLiteral("HCODE")).asString();
        rec.BCODE = q.fieldByName(QStringLiteral("BCODE")).asString();
        AccountCodes << rec;
    }
    q.close();
    AccountCodesScode = scode;
}

void TJisyoLoader::ConvertAccount(const QString& recordCode, QString& kcode, QString& hcode, QString& bcode) const {
    if (kcode.isEmpty()) {
        hcode.clear();
        bcode.clear();
        return;
    }
    const bool internalCodes = recordCode == QStringLiteral("201") || recordCode == QStringLiteral("301");
    QString found;
    bool hojoFound = false;
    bool bumonFound = false;
    for (const core::TKamokuCodeRec& entry : AccountCodes) {
        const QString& key = internalCodes ? entry.KCODE : entry.USERCODE;
        if (key > kcode)
            break;
        if (key != kcode)
            continue;
        found = entry.KCODE;
        hojoFound = hojoFound || entry.HCODE == hcode;
        bumonFound = bumonFound || entry.BCODE == bcode;
    }
    if (found.isEmpty()) {
        kcode.clear();
        hcode.clear();
        bcode.clear();
        return;
    }
    kcode = found;
    if (!hojoFound)
        hcode.clear();
    if (!bumonFound)
        bcode.clear();
}

} // namespace cloudexchange
