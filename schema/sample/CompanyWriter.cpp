#include "schema/sample/CompanyWriter.h"

#include "core/Currency.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "schema/SchemaScripts.h"

namespace schema::sample {
namespace {

using core::Currency;

const QString blank = QStringLiteral(" ");

class Writer {
public:
    Writer(core::TIBDatabase& db, const CompanyProfile& p) : db_(db), p_(p) {
        t_.addDatabase(&db_);
        t_.startTransaction();
    }
    ~Writer() {
        if (t_.inTransaction())
            t_.rollback();
    }
    void commit() { t_.commit(); }

    void settings();
    void masters();
    void balanceRows();

private:
    void exec(const QString& sql) {
        core::TIBSQL q(&db_, &t_);
        q.sql() << sql;
        q.execSQL();
    }
    // Facility codes that carry balance rows: the whole company and every facility.
    QStringList facilityCodes() const {
        QStringList codes{blank};
        for (const Facility& f : p_.facilities)
            codes.append(f.scode);
        return codes;
    }
    QStringList departmentCodes(const Account& a) const {
        QStringList codes{blank};
        if (p_.bumon == 2 || (p_.bumon == 1 && a.departments))
            for (const Department& d : p_.departments)
                codes.append(d.bcode);
        return codes;
    }

    core::TIBDatabase& db_;
    const CompanyProfile& p_;
    core::TIBTransaction t_;
};

void Writer::settings() {
    core::TIBSQL q(&db_, &t_);
    q.sql() << QStringLiteral("INSERT INTO ACCDEF1(REC,GROUPID,ENTTEXT,DATATYPE,CODETYPE,SCODE1,SKANA,SHOUGOU,")
            << QStringLiteral("NENDO,KISHU,KIMATU,KAISI,ZKISHU,SIME,KAISINO,YAKUMEI1,YAKUMEI2,YAKUMEI3,")
            << QStringLiteral("NEW_TAX_RATE1,CALCU,TAXDEFUH,SITEN,BUMON,DATALOCK,FUMEI_KCODE,READ_ONLY)")
            << QStringLiteral("VALUES(1,10000,:ENTTEXT,:DATATYPE,:CODETYPE,:SCODE1,:SKANA,:SHOUGOU,")
            << QStringLiteral(":NENDO,:KISHU,:KIMATU,:KISHU,:ZKISHU,99,1,:YAKUMEI1,:YAKUMEI2,:YAKUMEI3,")
            << QStringLiteral("10,0,1,:SITEN,:BUMON,0,:FUMEI,0)");
    q.paramByName(QStringLiteral("ENTTEXT")).setString(p_.entName);
    q.paramByName(QStringLiteral("DATATYPE")).setInteger(p_.dataType);
    q.paramByName(QStringLiteral("CODETYPE")).setInteger(p_.codeType);
    q.paramByName(QStringLiteral("SCODE1")).setString(p_.code);
    q.paramByName(QStringLiteral("SKANA")).setString(p_.kana);
    q.paramByName(QStringLiteral("SHOUGOU")).setString(p_.shougou);
    q.paramByName(QStringLiteral("NENDO")).setInteger(p_.nendo);
    q.paramByName(QStringLiteral("KISHU")).setDate(p_.kishu);
    q.paramByName(QStringLiteral("KIMATU")).setDate(p_.kimatu);
    q.paramByName(QStringLiteral("ZKISHU")).setDate(p_.kishu.addYears(-1));
    q.paramByName(QStringLiteral("YAKUMEI1")).setString(p_.yakumei1);
    q.paramByName(QStringLiteral("YAKUMEI2")).setString(p_.yakumei2);
    q.paramByName(QStringLiteral("YAKUMEI3")).setString(p_.yakumei3);
    q.paramByName(QStringLiteral("SITEN")).setInteger(p_.siten);
    q.paramByName(QStringLiteral("BUMON")).setInteger(p_.bumon);
    q.paramByName(QStringLiteral("FUMEI")).setString(QStringLiteral("9901"));
    q.execSQL();

    core::TIBSQL sys(&db_, &t_);
    sys.sql() << QStringLiteral("INSERT INTO ACCDEF2(KCODE,KNAME,KGROUP,HYOUJYUN) VALUES(:KCODE,:KNAME,:KGROUP,1)");
    for (const SystemAccount& s : p_.systemAccounts) {
        sys.paramByName(QStringLiteral("KCODE")).setString(s.kcode);
        sys.paramByName(QStringLiteral("KNAME")).setString(s.name);
        const Account* a = p_.account(s.kcode);
        sys.paramByName(QStringLiteral("KGROUP")).setString(a ? a->groupM1 : QString());
        sys.execSQL();
    }

    // Ledger headings by the first digit of the account group (GROUPM0).
    const bool medical = p_.dataType == 3;
    const QStringList headings = {QStringLiteral("資産の部"),
                                  QStringLiteral("負債の部"),
                                  QStringLiteral("純資産の部"),
                                  medical ? QStringLiteral("医業収益") : QStringLiteral("売上高"),
                                  medical ? QStringLiteral("材料費") : QStringLiteral("売上原価"),
                                  medical ? QStringLiteral("医業費用") : QStringLiteral("販売費及び一般管理費"),
                                  medical ? QStringLiteral("医業外損益") : QStringLiteral("営業外損益"),
                                  QStringLiteral("特別損益・法人税等"),
                                  QStringLiteral("諸口")};
    core::TIBSQL groups(&db_, &t_);
    groups.sql() << QStringLiteral("INSERT INTO ACCDEF3(KGROUP,GROUPNAME) VALUES(:KGROUP,:GROUPNAME)");
    for (int i = 0; i < headings.size(); ++i) {
        groups.paramByName(QStringLiteral("KGROUP")).setString(QString::number(i + 1) + QStringLiteral("000"));
        groups.paramByName(QStringLiteral("GROUPNAME")).setString(headings[i]);
        groups.execSQL();
    }

    exec(QStringLiteral("INSERT INTO TAXMST(TAX_CODE,TAX_REC,TAX_GNAM,TAX_NAME,TAX_UH) VALUES(0,1,'対象外','対象外',0)"));
    exec(QStringLiteral("INSERT INTO TAXMST(TAX_CODE,TAX_REC,TAX_GNAM,TAX_NAME,TAX_UH) VALUES(11,2,'課税売上','課税売上10%',1)"));
    exec(QStringLiteral("INSERT INTO TAXMST(TAX_CODE,TAX_REC,TAX_GNAM,TAX_NAME,TAX_UH) VALUES(21,3,'課税仕入','課税仕入10%',2)"));

    // Settings the program reads with defaults, written so that a fresh data set shows them.
    core::TIBSQL reg(&db_, &t_);
    reg.sql() << QStringLiteral("INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES(:AGROUP,:ACODE,:ATYPE,:ATEXT)");
    const QStringList rows[] = {
        {QStringLiteral("基本設定"), QStringLiteral("合算データ区分"), QStringLiteral("整数"), QStringLiteral("0")},
        {QStringLiteral("基本設定"), QStringLiteral("科目コード桁数"), QStringLiteral("整数"), QStringLiteral("4")},
        {QStringLiteral("基本設定"), QStringLiteral("補助コード桁数"), QStringLiteral("整数"), QStringLiteral("3")},
        {QStringLiteral("基本設定"), QStringLiteral("部門コード桁数"), QStringLiteral("整数"), QStringLiteral("2")},
        {QStringLiteral("基本設定"), QStringLiteral("使用税率8%"), QStringLiteral("論理"), QStringLiteral("TRUE")},
    };
    for (const QStringList& r : rows) {
        reg.paramByName(QStringLiteral("AGROUP")).setString(r[0]);
        reg.paramByName(QStringLiteral("ACODE")).setString(r[1]);
        reg.paramByName(QStringLiteral("ATYPE")).setString(r[2]);
        reg.paramByName(QStringLiteral("ATEXT")).setString(r[3]);
        reg.execSQL();
    }
}

void Writer::masters() {
    core::TIBSQL fac(&db_, &t_);
    fac.sql() << QStringLiteral("INSERT INTO SISETUMST(SCODE,SNAME,BUMEX,SIWAKECOUNT,MB_JIGYOU) VALUES(:SCODE,:SNAME,:BUMEX,0,:JIGYOU)");
    fac.paramByName(QStringLiteral("SCODE")).setString(blank);
    fac.paramByName(QStringLiteral("SNAME")).setString(p_.shougou);
    fac.paramByName(QStringLiteral("BUMEX")).setInteger(p_.bumon > 0 ? 1 : 0);
    fac.paramByName(QStringLiteral("JIGYOU")).setInteger(0);
    fac.execSQL();
    for (const Facility& f : p_.facilities) {
        fac.paramByName(QStringLiteral("SCODE")).setString(f.scode);
        fac.paramByName(QStringLiteral("SNAME")).setString(f.name);
        fac.paramByName(QStringLiteral("BUMEX")).setInteger(0);
        fac.paramByName(QStringLiteral("JIGYOU")).setInteger(f.jigyou);
        fac.execSQL();
    }

    core::TIBSQL dept(&db_, &t_);
    dept.sql() << QStringLiteral("INSERT INTO BUMONMST(BCODE,BNAME) VALUES(:BCODE,:BNAME)");
    dept.paramByName(QStringLiteral("BCODE")).setString(blank);
    dept.paramByName(QStringLiteral("BNAME")).setString(QString());
    dept.execSQL();
    core::TIBSQL link(&db_, &t_);
    link.sql() << QStringLiteral("INSERT INTO SISETUBUM(SCODE,BCODE,HAIBUN) VALUES(' ',:BCODE,0)");
    for (const Department& d : p_.departments) {
        dept.paramByName(QStringLiteral("BCODE")).setString(d.bcode);
        dept.paramByName(QStringLiteral("BNAME")).setString(d.name);
        dept.execSQL();
        link.paramByName(QStringLiteral("BCODE")).setString(d.bcode);
        link.execSQL();
    }

    core::TIBSQL kamoku(&db_, &t_);
    kamoku.sql() << QStringLiteral("INSERT INTO KAMOKUMST(KCODE,USERCODE,REC,GROUPM0,GROUPM1,GROUPM2,GROUPR1,GROUPR2,GROUPM3,")
                 << QStringLiteral("KNAME,USE,USEDEF,BLDAC,DAC,DELFLG,TAX_LCODE,TAX_RCODE,HOJOSW,BPFLG,EXT1_A4,EXT1_A3,EXT1_KS)")
                 << QStringLiteral("VALUES(:KCODE,:KCODE,:REC,:GROUPM0,:GROUPM1,:GROUPM1,:GROUPM1,:GROUPM1,:GROUPM1,")
                 << QStringLiteral(":KNAME,1,1,:BLDAC,:DAC,0,:TAXL,:TAXR,:HOJOSW,:BPFLG,:REC,:REC,:REC)");
    core::TIBSQL hojo(&db_, &t_);
    hojo.sql() << QStringLiteral("INSERT INTO HOJOMST(KCODE,HCODE,HNAME,TAX_LCODE,TAX_RCODE,BPFLG)")
               << QStringLiteral("VALUES(:KCODE,:HCODE,:HNAME,:TAXL,:TAXR,:BPFLG)");
    core::TIBSQL lines[3] = {core::TIBSQL(&db_, &t_), core::TIBSQL(&db_, &t_), core::TIBSQL(&db_, &t_)};
    const QString lineTables[3] = {QStringLiteral("EXTERKS"), QStringLiteral("EXTERA4"), QStringLiteral("EXTERA3")};
    for (int i = 0; i < 3; ++i)
        lines[i].sql() << QStringLiteral("INSERT INTO %1(REC,KGROUP,SUBREC,KNAME1) VALUES(:REC,:KGROUP,:SUBREC,:KNAME1)")
                              .arg(lineTables[i]);

    QString lastGroup;
    int subrec = 0;
    for (int i = 0; i < p_.accounts.size(); ++i) {
        const Account& a = p_.accounts[i];
        const int rec = i + 1;
        const bool debitSide = a.debitNature();
        subrec = a.groupM1 == lastGroup ? subrec + 1 : 1;
        lastGroup = a.groupM1;

        kamoku.paramByName(QStringLiteral("KCODE")).setString(a.kcode);
        kamoku.paramByName(QStringLiteral("REC")).setInteger(rec);
        kamoku.paramByName(QStringLiteral("GROUPM0")).setString(a.groupM1.left(1) + QStringLiteral("000"));
        kamoku.paramByName(QStringLiteral("GROUPM1")).setString(a.groupM1);
        kamoku.paramByName(QStringLiteral("KNAME")).setString(a.name);
        kamoku.paramByName(QStringLiteral("BLDAC")).setInteger(a.bldac ? a.bldac : a.dac);
        kamoku.paramByName(QStringLiteral("DAC")).setInteger(a.dac);
        kamoku.paramByName(QStringLiteral("TAXL")).setInteger(debitSide ? a.taxCode : 0);
        kamoku.paramByName(QStringLiteral("TAXR")).setInteger(debitSide ? 0 : a.taxCode);
        kamoku.paramByName(QStringLiteral("HOJOSW")).setString(a.subs.isEmpty() ? QStringLiteral("－") : QStringLiteral("○"));
        kamoku.paramByName(QStringLiteral("BPFLG")).setString(a.bpflg());
        kamoku.execSQL();

        for (auto& line : lines) {
            line.paramByName(QStringLiteral("REC")).setInteger(rec);
            line.paramByName(QStringLiteral("KGROUP")).setString(a.groupM1);
            line.paramByName(QStringLiteral("SUBREC")).setInteger(subrec);
            line.paramByName(QStringLiteral("KNAME1")).setString(a.name);
            line.execSQL();
        }

        auto addHojo = [&](const QString& hcode, const QString& name) {
            hojo.paramByName(QStringLiteral("KCODE")).setString(a.kcode);
            hojo.paramByName(QStringLiteral("HCODE")).setString(hcode);
            hojo.paramByName(QStringLiteral("HNAME")).setString(name);
            hojo.paramByName(QStringLiteral("TAXL")).setInteger(debitSide ? a.taxCode : 0);
            hojo.paramByName(QStringLiteral("TAXR")).setInteger(debitSide ? 0 : a.taxCode);
            hojo.paramByName(QStringLiteral("BPFLG")).setString(a.bpflg());
            hojo.execSQL();
        };
        addHojo(blank, a.name);
        for (const SubAccount& s : a.subs)
            addHojo(s.hcode, s.name);
    }
}

void Writer::balanceRows() {
    core::TIBSQL sz(&db_, &t_);
    sz.sql() << QStringLiteral("INSERT INTO KAMOKU_SZ(SCODE,KCODE,HCODE,BCODE,KAISIZAN,KISHU_KOMI,KISHU_NUKI)")
             << QStringLiteral("VALUES(:SCODE,:KCODE,:HCODE,:BCODE,:ZAN,:ZAN,:ZAN)");
    core::TIBSQL ms(&db_, &t_);
    ms.sql() << QStringLiteral("INSERT INTO KAMOKU_MS(SCODE,KCODE,HCODE,BCODE,MNUM) VALUES(:SCODE,:KCODE,:HCODE,:BCODE,:MNUM)");
    core::TIBSQL pz(&db_, &t_);
    pz.sql() << QStringLiteral("INSERT INTO KAMOKU_PZ(SCODE,KCODE,HCODE,BCODE,MNUM) VALUES(:SCODE,:KCODE,:HCODE,:BCODE,:MNUM)");

    auto addKey = [&](const QString& scode, const QString& kcode, const QString& hcode, const QString& bcode,
                      qint64 opening) {
        for (core::TIBSQL* q : {&sz, &ms, &pz}) {
            q->paramByName(QStringLiteral("SCODE")).setString(scode);
            q->paramByName(QStringLiteral("KCODE")).setString(kcode);
            q->paramByName(QStringLiteral("HCODE")).setString(hcode);
            q->paramByName(QStringLiteral("BCODE")).setString(bcode);
        }
        sz.paramByName(QStringLiteral("ZAN")).setCurrency(Currency::fromInt(opening));
        sz.execSQL();
        for (int m = 1; m <= 16; ++m) {
            ms.paramByName(QStringLiteral("MNUM")).setInteger(m);
            ms.execSQL();
        }
        for (int m = -31; m <= 16; ++m) {
            pz.paramByName(QStringLiteral("MNUM")).setInteger(m);
            pz.execSQL();
        }
    };

    for (const QString& scode : facilityCodes()) {
        const bool holdsOpening = scode == p_.openingFacility;
        for (const Account& a : p_.accounts) {
            for (const QString& bcode : departmentCodes(a)) {
                const bool opening = holdsOpening && bcode == blank;
                addKey(scode, a.kcode, blank, bcode, opening ? a.opening : 0);
                for (const SubAccount& s : a.subs)
                    addKey(scode, a.kcode, s.hcode, bcode, opening ? s.opening : 0);
            }
        }
    }

    // Consumption tax by facility and tax department (departments only with BUMON 2).
    core::TIBSQL tax(&db_, &t_);
    tax.sql() << QStringLiteral("INSERT INTO KAMOKU_TAX(SCODE,BCODE,KKUBUN,MNUM) VALUES(:SCODE,:BCODE,:KKUBUN,:MNUM)");
    QStringList taxDepartments{blank};
    if (p_.bumon == 2)
        for (const Department& d : p_.departments)
            taxDepartments.append(d.bcode);
    for (const QString& scode : facilityCodes())
        for (const QString& bcode : taxDepartments)
            for (int kubun = 1; kubun <= 2; ++kubun)
                for (int m = 1; m <= 16; ++m) {
                    tax.paramByName(QStringLiteral("SCODE")).setString(scode);
                    tax.paramByName(QStringLiteral("BCODE")).setString(bcode);
                    tax.paramByName(QStringLiteral("KKUBUN")).setInteger(kubun);
                    tax.paramByName(QStringLiteral("MNUM")).setInteger(m);
                    tax.execSQL();
                }
}

} // namespace

void writeCompany(core::TIBDatabase& company, const CompanyProfile& profile) {
    {
        Writer w(company, profile);
        w.settings();
        w.masters();
        w.balanceRows();
        w.commit();
    }
    runKindScript(company, profile.kindScript);
}

} // namespace schema::sample
