#include "tests/statements/CompanySession.h"

#include "schema/DbAccount.h"
#include "tests/statements/TrialBalanceCompany.h"

namespace statementstest {

CompanySession::CompanySession(const QString& companyFile)
    : systemDef_(core::SystemDef), accInf_(core::AccInf), previousDm_(core::DM), fatal_(core::FatalDbError) {
    scopedMessages_ = std::make_unique<testsupport::ScopedMessageService>(messages);
    core::SystemDef.LogDir = logs_.path();
    core::SystemDef.ProgramRoot = logs_.path();
    core::FatalDbError = false;
    core::AccInf = core::TACCINF{};
    core::AccInf.DATATYPE = 1;
    core::AccInf.KAISINO = 1;
    core::AccInf.GENKA_USE = 1;
    core::DM = &dm;
    schema::configure(dm.IBDatabaseDAT, schema::DbAccount{}, companyFile);
    dm.IBDatabaseDAT.open();
}

CompanySession::~CompanySession() {
    dm.IBDatabaseDAT.close();
    core::DM = previousDm_;
    core::SystemDef = systemDef_;
    core::AccInf = accInf_;
    core::FatalDbError = fatal_;
}

void insertOrdinaryTotalNames(core::TIBDatabase& db) {
    struct Line {
        int arrayNum;
        const char* group;
        const char* name;
        int kubun;
        const char* kessan;
    };
    static const Line lines[] = {
        {1, "1110", "現金・預金", 0, ""},     {2, "1180", "売上債権", 0, ""},
        {3, "1280", "有価証券", 0, ""},       {4, "1380", "棚卸資産", 0, ""},
        {5, "1390", "流動資産合計", 0, "流動資産"}, {6, "1580", "有形固定資産", 0, "有形固定資産"},
        {11, "1900", "資産合計", 0, ""},      {12, "2180", "流動負債合計", 0, "流動負債"},
        {19, "3280", "資本剰余金", 0, "資本剰余金"}, {22, "3340", "利益剰余金", 0, "利益剰余金"},
        {27, "3900", "負債・純資産合計", 0, ""}, {28, "4800", "売上高合計", 0, "売上高"},
        {35, "5880", "製造原価", 0, ""},      {37, "6180", "販売費及び一般管理費", 0, "販売費及び一般管理費"},
        {45, "8400", "当期純利益", 0, ""},    {47, "5790", "小計", 1, ""},
        {48, "1185", "割引手形", 2, ""},
    };
    QStringList sql;
    int rec = 0;
    for (const Line& l : lines)
        sql << QStringLiteral("INSERT INTO ACCTOTALNAME (REC, KGROUP, KESKUBUN, ARRAYNUM, PLUSNAME, KESSAN_TEXT, KESSAN_USE) "
                              "VALUES (%1, '%2', %3, %4, '%5', '%6', 1)")
                   .arg(++rec)
                   .arg(QLatin1String(l.group))
                   .arg(l.kubun)
                   .arg(l.arrayNum)
                   .arg(QString::fromUtf8(l.name), QString::fromUtf8(l.kessan));
    execAll(db, sql);
}

void extendOrdinaryCompany(core::TIBDatabase& db) {
    insertOrdinaryTotalNames(db);
    QStringList sql = {
        QStringLiteral("INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, GROUPM2, KNAME, USE, DAC, BPFLG, EXT1_A4, "
                       "EXT1_A3, EXT1_KS) VALUES ('1102', '1102', '1110', '1110', '普通預金', 1, 1, 'B', 1, 1, 1)"),
        QStringLiteral("INSERT INTO KAMOKUMST (KCODE, USERCODE, GROUPM1, GROUPM2, KNAME, USE, DAC, BPFLG) "
                       "VALUES ('X1', '53', '5300', '5300', '製造経費', 1, 1, 'P')"),
        QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES (' ', '1102', ' ', '02', 77)"),
        QStringLiteral("INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN) VALUES (' ', 'X1', ' ', '00', 0)"),
        QStringLiteral("UPDATE KAMOKU_SZ SET KAISIZAN = 77 WHERE KCODE = '3101' AND HCODE = ' ' AND BCODE = '02'"),
        QStringLiteral("EXECUTE BLOCK AS DECLARE M INTEGER; BEGIN M = 1; WHILE (M <= 16) DO BEGIN "
                       "INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM) VALUES (' ', '1102', ' ', '02', :M); "
                       "INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM) VALUES (' ', 'X1', ' ', '00', :M); "
                       "M = M + 1; END END"),
    };
    execAll(db, sql);
}

} // namespace statementstest
