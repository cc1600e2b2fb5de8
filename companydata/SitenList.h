#pragma once
// The facilities (本・支店, for medical-corporation data 施設) of the open company data set that
// an operator may use, for pick lists: the whole-company entry, facility groups (medical data:
// also the business kinds), the facilities and the facilities with departments. An operator's
// rights are the facilities OPLICENSE lists for him; an administrator sees every facility.

#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace companydata {

// Bits of TSitenList::Options.
enum TSitenListOption : quint8 {
    soWholeCompany = 0x01,        // the whole company (法人全体 / 総体, or the trade name)
    soGroups = 0x02,              // facility groups; medical data: also the business kinds
    soFacilities = 0x04,          // the facilities
    soDepartmentFacilities = 0x08 // the facilities with departments (BUMEX = 1)
};

// Kinds of entry.
enum : qint32 {
    skWholeCompany = 0,
    skGroup = 1, // a facility group; medical data: a business kind
    skFacility = 2,
    skDepartmentFacility = 3,
    skMedicalGroup = 5 // a facility group of medical data
};

struct TSitenListRec {
    QString Code;
    QString Name;
    qint32 Kind = 0;
    qint32 MbJigyou = 0; // general data 1; medical data the business kind (0: whole company, groups)
    qint32 Bumex = 0;
    qint32 Color = 0;    // 0x00BBGGRR
    QString Reserve1;    // not filled by this list
    QString Reserve2;
};

class TSitenList {
public:
    // The statement on the data module's company database and IBTransactionDAT.
    TSitenList();

    quint8 Options = 0;
    qint32 Count = 0;
    qint32 OperatorCode = 0; // set by Execute: -1 lists without rights filter
    // Medical data: when above 0, only facilities of this business kind.
    qint32 JigyouFilter = 0;
    // Medical data: list the facility groups (general data always does).
    bool GroupsOn = true;
    bool TabFormat = false;
    // Medical data: facilities with the code "00" are listed.
    bool IncludeCode00 = true;

    void Clear();
    void SetTransaction(core::TIBTransaction* transaction);
    // Builds the list for the operator (-1: all facilities) by AccInf of the open data set.
    // Errors are reported and passed on; a transaction started here is committed either way.
    void Execute(qint32 operatorCode);

    // Code of entry i; the empty text outside 0 .. Count - 1.
    QString GetItem(int i) const;

    const QList<TSitenListRec>& Entries() const { return entries_; }
    const QStringList& Lines() const { return lines_; }

private:
    void buildGeneral();
    void buildMedical();
    bool operatorRestricted() const { return OperatorCode != -1; }
    bool permittedEverywhere();
    void addWholeCompany(qint32 mbJigyou, qint32 bumex);
    void addWholeCompanyIfPermitted(qint32 mbJigyou);
    void addGroups(qint32 kind);
    void addFacilities(bool medical, bool departmentsOnly);
    void addMedicalKinds();
    void add(const TSitenListRec& rec, const QString& line);

    core::TIBSQL sql_;
    QList<TSitenListRec> entries_;
    QStringList lines_;
};

} // namespace companydata
