#include "tests/cloudexchange/analysis/DumpCompany.h"

#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "schema/DbAccount.h"
#include "schema/SchemaScripts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <stdexcept>

namespace dumptest {

namespace {

QStringList fixtureRows() {
    QStringList sql;
    sql << QStringLiteral("INSERT INTO ACCDEF1 (REC, GROUPID, ENTTEXT, DATATYPE, CODETYPE, SHOUGOU, NENDO, KISHU, "
                          "KIMATU, KAISI, CHG_DAYS1, CHG_DAYS2, KANSA_DATE, NEW_TAX_RATE1, FUMEI_KCODE, PASWORD) "
                          "VALUES (1, 10000, 'O''Brien\\x', 1, 1, '株式会社ソフト表示', 5, '2024-04-01', '2025-03-31', "
                          "'2024-04-01', '1899-12-30', '2040-05-01', '1970-01-01', 10.5, NULL, 'ab''c')")
        << QStringLiteral("INSERT INTO ACCDEF2 (KCODE, KNAME, KGROUP, HYOUJYUN) VALUES ('1101', '現金', '1110', 1)")
        << QStringLiteral("INSERT INTO ACCDEF2 (KCODE, KNAME, KGROUP, HYOUJYUN) VALUES ('8500', '法人税等', '8300', 0)")
        << QStringLiteral("INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT, AMEMO) VALUES ('通信設定', 'クラウド区分', '整数', '1', NULL)")
        << QStringLiteral("INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT, AMEMO) VALUES ('ＷＥＢ会議設定', 'ＵＲＬ', '文字', 'https://example.test/?a=1&b=2', '')")
        << QStringLiteral("INSERT INTO CHARTINF (OPCODE, CTYPE1, BAKCOL, FORCOL, ECOL1, ECOL2) VALUES (100009999, 5, 255, 65280, 16711680, 16777215)")
        << QStringLiteral("INSERT INTO KAMOKUMST (KCODE, USERCODE, REC, GROUPM0, GROUPM1, GROUPM2, GROUPR1, KNAME, USE, "
                          "ZEBRIK_BADRATE, SIKINGURIKUBUN, RTIME) VALUES ('1101', '101', 1, '1000', '1100', '1110', "
                          "'9999', '現金', 1, 0.1, '3', '2024-04-01 00:00:00')")
        << QStringLiteral("INSERT INTO KAMOKUMST (KCODE, USERCODE, REC, GROUPM0, GROUPM1, GROUPM2, KNAME, USE, "
                          "SIKINGURIKUBUN, RTIME) VALUES ('8500', '850', 2, '8000', '8300', '8300', '法人税等', 1, "
                          "'x', '2024-05-31 14:03:09')")
        << QStringLiteral("INSERT INTO BUMONMST (BCODE, BNAME, XSTR, KENSAKU_KEY) VALUES ('01', '営業部', NULL, NULL)")
        << QStringLiteral("INSERT INTO KAMOKU_KOSEI_GROUP (FGNAME, FKCODE, FHCODE) VALUES ('未払金／未払費用', '2120', '')")
        << QStringLiteral("INSERT INTO KAMOKU_KOSEI_GROUP (FGNAME, FKCODE, FHCODE) VALUES ('売上債権', '1180', '')")
        << QStringLiteral("INSERT INTO MSD_HOUKOKU (MDGROUP, MDCODE, MDTYPE, MDTEXT1) VALUES ('報告', '施設数', '整数', '3')");
    return sql;
}

} // namespace

void execAll(core::TIBDatabase& db, const QStringList& statements) {
    for (const QString& text : statements) {
        core::TIBTransaction t;
        t.addDatabase(&db);
        t.startTransaction();
        core::TIBSQL sql(&db, &t);
        sql.setParamCheck(false);
        sql.sql() << text;
        sql.execQuery();
        t.commit();
    }
}

QString fixtureCompany() {
    static QTemporaryDir dir;
    static QString path;
    if (!path.isEmpty())
        return path;
    if (!dir.isValid())
        throw std::runtime_error("no temporary folder");
    const QString file = dir.filePath(QStringLiteral("qmacc.fdb"));
    auto db = schema::createSchemaDatabase(schema::DbAccount{}, file, schema::DatabaseKind::Company);
    execAll(*db, fixtureRows());
    schema::finishDatabase(std::move(db), schema::DbAccount{}, file);
    path = file;
    return path;
}

DumpSession::DumpSession(const QString& companyFile, int dataType, int major, int minor, int release)
    : systemDef_(core::SystemDef), accInf_(core::AccInf), previousDm_(core::DM) {
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder");
    const QString copy = dir_.filePath(QStringLiteral("qmacc.fdb"));
    if (!QFile::copy(companyFile, copy))
        throw std::runtime_error("the company file could not be copied");
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    scopedMessages_ = std::make_unique<testsupport::ScopedMessageService>(messages);
    core::SystemDef = core::TSystemDef{};
    core::SystemDef.AppName = QStringLiteral("連動データの作成");
    core::SystemDef.AppVersion = QStringLiteral("15.0.3");
    // The templates lie in init/ of the build folder, the program root of the build tree.
    core::SystemDef.ProgramRoot = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../.."));
    core::SystemDef.TempDir = dir_.filePath(QStringLiteral("temp"));
    core::SystemDef.LogDir = dir_.path();
    core::SystemDef.Reserve4 = (1 << 2) | (1 << 10);
    core::SystemDef.Reserve2 = 2;
    core::SystemDef.TrialTitle = QStringLiteral("試　算　表");
    core::SystemDef.TrialTitle2 = QStringLiteral("O'Brien\\");
    core::AccInf = core::TACCINF{};
    core::AccInf.DATATYPE = dataType;
    core::AccInf.DataMajor = major;
    core::AccInf.DataMinor1 = minor;
    core::AccInf.DataMinor2 = release;
    core::AccInf.PrevYearStart = QDate(2023, 4, 1);
    core::AccInf.PrevPrevYearStart = QDate(2022, 4, 1);
    core::DM = &dm;
    schema::configure(dm.IBDatabaseDAT, schema::DbAccount{}, copy);
    dm.IBDatabaseDAT.open();
}

DumpSession::~DumpSession() {
    if (dm.IBTransactionDAT.inTransaction())
        dm.IBTransactionDAT.rollback();
    dm.IBDatabaseDAT.close();
    core::DM = previousDm_;
    core::SystemDef = systemDef_;
    core::AccInf = accInf_;
}

QString DumpSession::dumpPath() const { return dir_.filePath(QStringLiteral("temp/TallekZebrik_Sql/qmacc.sql")); }

QByteArray DumpSession::dumpBytes() const {
    QFile f(dumpPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void DumpSession::exec(const QStringList& statements) { execAll(dm.IBDatabaseDAT, statements); }

} // namespace dumptest
