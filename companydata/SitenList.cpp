// The facility list of the open company data set.
#include "companydata/SitenList.h"

#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/session/Vocabulary.h"
#include "core/text/SjisText.h"

#include <map>

namespace companydata {

namespace {

const QString kListFailed = QStringLiteral("支店リストの取得に失敗しました。");

// Quoted fields for a grid; a double quote inside a field would end it early.
QString tabLine(const QStringList& fields) {
    QStringList quoted;
    for (QString field : fields)
        quoted << QLatin1Char('"') + field.replace(QLatin1Char('"'), QLatin1Char('\'')) + QLatin1Char('"');
    return quoted.join(QLatin1Char('\t'));
}

// 1 when the operator holds a right for every facility of the rows (the :OPCODE parameter).
const QStringList kPermitExpression{
    QStringLiteral("CASE WHEN MIN(CASE WHEN S.SCODE IN (SELECT SCODE FROM OPLICENSE WHERE OPCODE=:OPCODE) THEN 1"),
    QStringLiteral("ELSE 0"), QStringLiteral("END)=1 THEN 1"), QStringLiteral("       ELSE 0")};

// Business kinds of medical data in list order, with their index in MedicalBusinessName.
struct MedicalKind {
    qint32 kind;
    int nameIndex;
};
constexpr MedicalKind kMedicalKinds[] = {{8, 1}, {4, 2}, {2, 3}, {1, 4}};

bool usesFacilities() {
    return core::AccInf.SITEN != 0;
}

QString wholeCompanyName() {
    const qint32 type = core::AccInf.DATATYPE;
    if (usesFacilities() && type >= 1 && type <= int(core::CorpWholeName.size()))
        return core::CorpWholeName[size_t(type - 1)];
    return core::AccInf.SHOUGOU;
}

} // namespace

TSitenList::TSitenList() {
    core::TDM& dm = core::RequireDM();
    sql_.setDatabase(&dm.IBDatabaseDAT);
    sql_.setTransaction(&dm.IBTransactionDAT);
}

void TSitenList::Clear() {
    entries_.clear();
    lines_.clear();
    Count = 0;
}

void TSitenList::SetTransaction(core::TIBTransaction* transaction) {
    sql_.setTransaction(transaction);
}

QString TSitenList::GetItem(int i) const {
    return i >= 0 && i < entries_.size() ? entries_[i].Code : QString();
}

void TSitenList::add(const TSitenListRec& rec, const QString& line) {
    entries_.append(rec);
    lines_.append(line);
}

void TSitenList::addWholeCompany(qint32 mbJigyou, qint32 bumex) {
    TSitenListRec rec;
    rec.Code = QStringLiteral(" ");
    rec.Name = wholeCompanyName();
    rec.Kind = skWholeCompany;
    rec.MbJigyou = mbJigyou;
    rec.Bumex = bumex;
    add(rec, TabFormat ? tabLine({rec.Name, QString(), QString()}) : rec.Name);
}

bool TSitenList::permittedEverywhere() {
    sql_.sql() = QStringList{QStringLiteral("SELECT")} + kPermitExpression +
                 QStringList{QStringLiteral("END AS PERMIT"), QStringLiteral("FROM SISETUMST S"),
                             QStringLiteral("WHERE S.SCODE <> ''")};
    sql_.paramByName(QStringLiteral("OPCODE")).setInteger(OperatorCode);
    sql_.execQuery();
    const bool permitted = !sql_.eof() && sql_.fieldByName(QStringLiteral("PERMIT")).asInteger() == 1;
    sql_.close();
    return permitted;
}

void TSitenList::addWholeCompanyIfPermitted(qint32 mbJigyou) {
    if (!operatorRestricted() || !usesFacilities() || permittedEverywhere())
        addWholeCompany(mbJigyou, 0);
}

// Facility groups; an operator sees a group when he holds a right for all its facilities.
void TSitenList::addGroups(qint32 kind) {
    if (operatorRestricted())
        sql_.sql() = QStringList{QStringLiteral("SELECT G.GCODE,G.GNAME,")} + kPermitExpression +
                     QStringList{QStringLiteral("END AS PERMIT")};
    else
        sql_.sql() = QStringList{QStringLiteral("SELECT G.GCODE,G.GNAME, 1 AS PERMIT")};
    sql_.sql() << QStringLiteral("FROM SISETUGROUPLIST S") << QStringLiteral("INNER JOIN SISETUGROUP G ON (S.GCODE=G.GCODE)")
               << QStringLiteral("WHERE S.SCODE <> ''") << QStringLiteral("GROUP BY G.GCODE,G.GNAME")
               << QStringLiteral("ORDER BY G.GCODE");
    if (operatorRestricted())
        sql_.paramByName(QStringLiteral("OPCODE")).setInteger(OperatorCode);
    for (sql_.execQuery(); !sql_.eof(); sql_.next()) {
        if (sql_.fieldByName(QStringLiteral("PERMIT")).asInteger() != 1)
            continue;
        TSitenListRec rec;
        rec.Code = sql_.fieldByName(QStringLiteral("GCODE")).asString();
        rec.Name = sql_.fieldByName(QStringLiteral("GNAME")).asString();
        rec.Kind = kind;
        rec.MbJigyou = kind == skMedicalGroup ? 0 : 1;
        add(rec, TabFormat ? tabLine({QLatin1Char('(') + rec.Code + QLatin1Char(')'), rec.Code, rec.Name})
                           : QStringLiteral("(%1):%2").arg(rec.Code, rec.Name));
    }
    sql_.close();
}

void TSitenList::addFacilities(bool medical, bool departmentsOnly) {
    QString select = QStringLiteral("SELECT S.SCODE,S.SNAME");
    if (medical)
        select += QStringLiteral(",S.MB_JIGYOU");
    if (!departmentsOnly)
        select += QStringLiteral(",S.BUMEX");
    select += QStringLiteral(",S.XSTR FROM SISETUMST S");
    sql_.sql() = QStringList{select};
    QString where = departmentsOnly ? QStringLiteral("WHERE (S.SCODE<>'') AND (S.BUMEX=1)") : QStringLiteral("WHERE (S.SCODE<>'')");
    if (operatorRestricted()) {
        sql_.sql() << QStringLiteral("INNER JOIN OPLICENSE O ON (O.SCODE=S.SCODE)");
        where += QStringLiteral(" AND (O.OPCODE=:OPCODE)");
    }
    sql_.sql() << where;
    if (medical && JigyouFilter > 0)
        sql_.sql() << QStringLiteral("AND (S.MB_JIGYOU=%1)").arg(JigyouFilter);
    sql_.sql() << QStringLiteral("ORDER BY S.SCODE");
    if (operatorRestricted())
        sql_.paramByName(QStringLiteral("OPCODE")).setInteger(OperatorCode);
    for (sql_.execQuery(); !sql_.eof(); sql_.next()) {
        TSitenListRec rec;
        rec.Code = sql_.fieldByName(QStringLiteral("SCODE")).asString();
        if (core::TrimBlanks(rec.Code).isEmpty())
            continue;
        if (medical && !IncludeCode00 && rec.Code == QLatin1String("00"))
            continue;
        rec.Name = sql_.fieldByName(QStringLiteral("SNAME")).asString();
        rec.Kind = departmentsOnly ? skDepartmentFacility : skFacility;
        rec.MbJigyou = medical ? sql_.fieldByName(QStringLiteral("MB_JIGYOU")).asInteger() : 1;
        rec.Bumex = departmentsOnly ? 1 : sql_.fieldByName(QStringLiteral("BUMEX")).asInteger();
        rec.Color = core::TDM::GetKeyValueVariant(sql_.fieldByName(QStringLiteral("XSTR")).asString(),
                                                  QStringLiteral("COLOR"))
                        .toInt();
        add(rec, TabFormat ? tabLine({rec.Code, QString(), rec.Name}) : rec.Code + QLatin1Char(':') + rec.Name);
    }
    sql_.close();
}

// The business kinds whose every facility the operator holds a right for.
void TSitenList::addMedicalKinds() {
    const auto countByKind = [this](bool licensedOnly) {
        std::map<qint32, qint32> counts;
        sql_.sql() = QStringList{QStringLiteral("SELECT S.MB_JIGYOU,COUNT(S.SCODE) AS RECCNT FROM SISETUMST S")};
        if (licensedOnly)
            sql_.sql() << QStringLiteral("INNER JOIN OPLICENSE O ON (O.SCODE=S.SCODE)")
                       << QStringLiteral("WHERE (S.SCODE NOT IN ('','00')) AND (O.OPCODE=:OPCODE)");
        else
            sql_.sql() << QStringLiteral("WHERE (S.SCODE NOT IN ('','00'))");
        if (JigyouFilter > 0)
            sql_.sql() << QStringLiteral("AND (S.MB_JIGYOU=%1)").arg(JigyouFilter);
        sql_.sql() << QStringLiteral("GROUP BY S.MB_JIGYOU") << QStringLiteral("ORDER BY S.MB_JIGYOU DESC");
        if (licensedOnly)
            sql_.paramByName(QStringLiteral("OPCODE")).setInteger(OperatorCode);
        for (sql_.execQuery(); !sql_.eof(); sql_.next())
            counts[sql_.fieldByName(QStringLiteral("MB_JIGYOU")).asInteger()] =
                sql_.fieldByName(QStringLiteral("RECCNT")).asInteger();
        sql_.close();
        return counts;
    };
    const std::map<qint32, qint32> total = countByKind(false);
    const std::map<qint32, qint32> licensed = operatorRestricted() ? countByKind(true) : total;
    for (const MedicalKind& k : kMedicalKinds) {
        const auto all = total.find(k.kind);
        const auto own = licensed.find(k.kind);
        if (all == total.end() || all->second <= 0 || own == licensed.end() || own->second != all->second)
            continue;
        TSitenListRec rec;
        rec.Code = QStringLiteral(" ");
        rec.Name = core::MedicalBusinessName[size_t(k.nameIndex)];
        rec.Kind = skGroup;
        rec.MbJigyou = k.kind;
        add(rec, TabFormat ? tabLine({rec.Name, QString(), QString()}) : rec.Name);
    }
}

void TSitenList::buildGeneral() {
    const qint32 siten = core::AccInf.SITEN;
    if (Options & soWholeCompany)
        addWholeCompanyIfPermitted(1);
    if ((Options & soGroups) && siten == 1)
        addGroups(skGroup);
    if (Options & soFacilities) {
        if (siten == 1)
            addFacilities(false, false);
        else if (siten == 0 && !(Options & soWholeCompany))
            addWholeCompany(1, core::AccInf.BUMON);
    }
    if (Options & soDepartmentFacilities) {
        if (siten == 1)
            addFacilities(false, true);
        else if (siten == 0 && !(Options & soWholeCompany))
            addWholeCompany(1, 0);
    }
}

void TSitenList::buildMedical() {
    const qint32 siten = core::AccInf.SITEN;
    if (Options & soWholeCompany)
        addWholeCompanyIfPermitted(0);
    if ((Options & soGroups) && siten == 1) {
        addMedicalKinds();
        if (GroupsOn)
            addGroups(skMedicalGroup);
    }
    for (const bool departmentsOnly : {false, true}) {
        if (!(Options & (departmentsOnly ? soDepartmentFacilities : soFacilities)))
            continue;
        if (siten == 1)
            addFacilities(true, departmentsOnly);
        else if (siten == 0 && !(Options & soWholeCompany))
            addWholeCompany(0, 0);
    }
}

void TSitenList::Execute(qint32 operatorCode) {
    const bool medical = core::AccInf.MedicalData != 0;
    if (!medical)
        GroupsOn = true;
    Clear();
    core::TDM& dm = core::RequireDM();
    OperatorCode = dm.IsAdminOperator() ? -1 : operatorCode;
    core::TIBTransaction& transaction = *sql_.transaction();
    bool started = false;
    try {
        if (!transaction.inTransaction()) {
            transaction.startTransaction();
            started = true;
        }
        if (medical)
            buildMedical();
        else
            buildGeneral();
        Count = qint32(lines_.size());
        if (started)
            transaction.commit();
    } catch (const std::exception& e) {
        Count = qint32(lines_.size());
        // General data reports every failure; medical data only one in its own transaction.
        // Only a transaction started here is committed: a caller's work is the caller's to end.
        if (!medical || started) {
            if (const auto* db = dynamic_cast<const core::EIBError*>(&e))
                core::ReportFbAccessError(*db, QStringLiteral("TSitenList.Execute"), kListFailed, 0);
            else
                core::ShowMessageWithDetail(kListFailed, core::exceptionText(e), core::MessageKind::Error);
        }
        if (started && transaction.inTransaction()) {
            try {
                transaction.commit();
            } catch (const std::exception&) {
                // The failure is already shown and is passed on below.
            }
        }
        throw;
    }
}

} // namespace companydata
