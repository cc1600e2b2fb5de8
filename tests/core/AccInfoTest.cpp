// Company information of the data module: loading AccInf from the ordinary and the medical
// sample (and copies of them changed per test), the type names, the audit lock, the journal
// counts and the existence tests.
#include "DmTestSupport.h"

#include "core/Exception.h"
#include "core/session/MedicalLayout.h"
#include "core/tax/ZeiRitu.h"
#include "core/version/EasyEncode.h"
#include "schema/DataRoot.h"
#include "schema/SchemaScripts.h"
#include "schema/sample/SampleDataSet.h"
#include "tests/support/RecordingMessageService.h"
#include "tests/support/SampleRoot.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

using core::AccInf;
using core::SystemDef;
using core::TDM;

// AccInf, ReadOnlyData, the statements' layout and the tax-rate table, put back after a test.
class ScopedCompanyState {
public:
    ScopedCompanyState()
        : accInf_(AccInf), readOnly_(core::ReadOnlyData), medical_(core::MedicalLayoutSelected()),
          zeiRitu_(core::ZeiRituTable) {}
    ~ScopedCompanyState() {
        AccInf = accInf_;
        core::ReadOnlyData = readOnly_;
        core::SelectMedicalLayout(medical_);
        core::ZeiRituTable = zeiRitu_;
    }
    ScopedCompanyState(const ScopedCompanyState&) = delete;
    ScopedCompanyState& operator=(const ScopedCompanyState&) = delete;

private:
    core::TACCINF accInf_;
    bool readOnly_;
    bool medical_;
    core::TZeiRituList zeiRitu_;
};

// The fields a test compares to tell one loaded record from another.
QString fingerprint(const core::TACCINF& a) {
    QStringList f;
    f << QString::number(a.DATATYPE) << QString::number(a.CODETYPE) << a.DataTypeName << a.CodeTypeName << a.SHOUGOU
      << a.KISHU.toString(Qt::ISODate) << a.YearEnd.toString(Qt::ISODate) << QString::number(a.MedicalData)
      << QStringList(a.SysKCode.begin(), a.SysKCode.end()).join(u',') << QString::number(a.DataMajor)
      << a.DataPassword << QString::number(a.READ_ONLY) << QString::number(a.TaxDefCarry1) << a.TotalName5880
      << QString::number(a.BumonCount) << QString::number(a.KansaIncludeClosing) << a.TusinHolder[1]
      << QString::number(a.KamokuDigits) << a.Quarter1End.toString(Qt::ISODate);
    return f.join(u'|');
}

QString encodedPassword(const QString& plain) {
    core::TEasyEncodeInfo info;
    info.key = QString::fromLatin1(core::kDataPasswordKey);
    core::InitEasyEncodeInfo(info);
    info.targetLength = core::kDataPasswordLength;
    info.textLength = core::kDataPasswordLength;
    info.plainText = plain;
    core::EasyEncode(info);
    return info.codedText;
}

// The ordinary and the medical sample, made once; every test loads copies of their company
// databases, changed as the test needs.
class AccInfoTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        root_ = std::make_unique<schema::DataRoot>(schema::DbAccount{}, dir_->path());
        using schema::sample::SampleKind;
        setupError_ = testsupport::createSampleRoot(*root_, {SampleKind::Ordinary, SampleKind::Medical});
    }
    static void TearDownTestSuite() {
        root_.reset();
        dir_.reset();
    }

    void SetUp() override {
        ASSERT_TRUE(setupError_.isEmpty()) << setupError_.toStdString();
        SystemDef.USER = QStringLiteral("TALLEK");
        SystemDef.PASSWORD = QStringLiteral("vorbin");
        SystemDef.WorkDir = work.path();
        SystemDef.LogDir = work.path();
        SystemDef.ProgramRoot = work.path();
        SystemDef.Supervisor = 0;
        SystemDef.JobLevel = 1;
        SystemDef.Reserve4Switch4 = 0;
        core::ConnectMode = 0;
        core::FatalDbError = false;
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::DM = &dm;
    }

    enum Sample { Ordinary = 1, Medical = 2 };

    // A copy of the sample's company database in a folder of its own, with the statements
    // run on it (each committed), connected as the data module's company database.
    QString openCopy(Sample sample, const QStringList& statements = {}) {
        const QString folder = work.filePath(QStringLiteral("copy%1").arg(++copies_));
        EXPECT_TRUE(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("/qmacc.fdb");
        EXPECT_TRUE(QFile::copy(root_->dataFolder(sample) + QStringLiteral("/qmacc.fdb"), file));
        run(file, statements);
        EXPECT_TRUE(dm.fnAccDatConnected(QString(), folder, 0)) << messages.texts().join(u'\n').toStdString();
        return file;
    }

    static void run(const QString& file, const QStringList& statements) {
        if (statements.isEmpty())
            return;
        const std::unique_ptr<core::TIBDatabase> db = schema::openDatabase(schema::DbAccount{}, file);
        for (const QString& sql : statements) {
            core::TIBTransaction t;
            t.addDatabase(db.get());
            t.startTransaction();
            core::TIBSQL q(db.get(), &t);
            q.setParamCheck(false);
            q.sql() << sql;
            q.execSQL();
            t.commit();
        }
    }

    static QString scalar(const QString& file, const QString& sql) {
        const std::unique_ptr<core::TIBDatabase> db = schema::openDatabase(schema::DbAccount{}, file);
        core::TIBTransaction t;
        t.addDatabase(db.get());
        t.startTransaction();
        core::TIBSQL q(db.get(), &t);
        q.sql() << sql;
        q.execQuery();
        return q.eof() ? QStringLiteral("<no row>") : q.fields(0).asString();
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline std::unique_ptr<schema::DataRoot> root_;
    static inline QString setupError_;

    dmtest::ScopedSession session;
    ScopedCompanyState companyState;
    QTemporaryDir work;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    dmtest::FakeDM dm;
    int copies_ = 0;
};

TEST_F(AccInfoTest, LoadsOrdinaryCompany) {
    const QString file = openCopy(Ordinary, {QStringLiteral("UPDATE TUSIN_ID SET HOLDER='ID-0001',PASWORD='pw1' WHERE REC=1"),
                                             QStringLiteral("UPDATE ACCDEF1 SET WEB_HOLDER='WEB9',PASWORD='tp0'")});
    core::ReadOnlyData = true;
    core::SelectMedicalLayout(true);
    ASSERT_TRUE(dm.fnGetAccInfo()) << messages.texts().join(u'\n').toStdString();
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_FALSE(dm.IBTransactionDAT.inTransaction());

    EXPECT_EQ(AccInf.DATATYPE, 1);
    EXPECT_EQ(AccInf.DataTypeName, QStringLiteral("法人"));
    EXPECT_EQ(AccInf.CodeTypeName, QString());
    EXPECT_EQ(AccInf.SHOUGOU, QStringLiteral("株式会社みなと商事"));
    EXPECT_EQ(AccInf.MedicalData, 0);
    EXPECT_FALSE(core::MedicalLayoutSelected());
    EXPECT_FALSE(core::ReadOnlyData);

    // Fiscal years: zKISHU is stored, zzKISHU is not.
    EXPECT_EQ(AccInf.YearStart, QDate(2024, 4, 1));
    EXPECT_EQ(AccInf.YearEnd, QDate(2025, 3, 31));
    EXPECT_EQ(AccInf.PrevYearStart, QDate(2023, 4, 1));
    EXPECT_EQ(AccInf.PrevYearEnd, QDate(2024, 3, 31));
    EXPECT_EQ(AccInf.PrevPrevYearStart, QDate(2022, 4, 1));
    EXPECT_EQ(AccInf.PrevPrevYearEnd, QDate(2023, 3, 31));
    EXPECT_EQ(AccInf.PrevPrevInputStart, QDate(2022, 4, 1));
    EXPECT_EQ(AccInf.Quarter1End, QDate(2024, 6, 30));
    EXPECT_EQ(AccInf.Quarter2End, QDate(2024, 9, 30));
    EXPECT_EQ(AccInf.Quarter3End, QDate(2024, 12, 31));
    EXPECT_EQ(AccInf.YearEnd2, QDate(2025, 3, 31));
    EXPECT_EQ(AccInf.StartPeriodIndex, 0);
    EXPECT_EQ(AccInf.EndPeriodNo, 15);
    EXPECT_EQ(AccInf.YearMonthCount, 11);

    // System accounts, bill accounts, the suspense account.
    const QStringList sys(AccInf.SysKCode.begin(), AccInf.SysKCode.end());
    EXPECT_EQ(sys.join(u','), QStringLiteral("1101,1307,2108,9901,3341,,,,,,,"));
    EXPECT_EQ(AccInf.SysUserCode[core::skGenkin], QStringLiteral("1101"));
    EXPECT_EQ(AccInf.BillKCode[0], QStringLiteral("1121"));
    EXPECT_EQ(AccInf.BillKCode[1], QString());
    EXPECT_EQ(AccInf.FumeiUserCode, QStringLiteral("9901"));

    // Total names, departments, communication slots, settings rows, version, tax rates.
    EXPECT_EQ(AccInf.TotalName5880, QStringLiteral("当期製造原価"));
    EXPECT_EQ(AccInf.TotalName5580, QStringLiteral("材料費計"));
    EXPECT_EQ(AccInf.BumonCount, 2);
    EXPECT_EQ(AccInf.TusinHolder[0], QStringLiteral("WEB9"));
    EXPECT_EQ(AccInf.TusinPassword[0], QStringLiteral("tp0"));
    EXPECT_EQ(AccInf.TusinHolder[1], QStringLiteral("ID-0001"));
    EXPECT_EQ(AccInf.TusinPassword[1], QStringLiteral("pw1"));
    EXPECT_EQ(AccInf.KamokuDigits, 4);
    EXPECT_EQ(AccInf.HojoDigits, 3);
    EXPECT_EQ(AccInf.BumonDigits, 2);
    EXPECT_EQ(AccInf.KobetuGenkaName, QStringLiteral("個別原価"));
    EXPECT_EQ(AccInf.SitenSwitch, 1); // no facilities
    EXPECT_EQ(AccInf.DataMajor, 15);
    EXPECT_EQ(AccInf.DataVersion, QStringLiteral("15.0.0"));
    EXPECT_EQ(AccInf.DataPassword, QString());
    EXPECT_EQ((std::array<quint8, 5>{0, 0, 1, 1, 1}), AccInf.TaxRateUse);
    EXPECT_EQ(core::ZeiRituTable.size(), 5);
    EXPECT_EQ(AccInf.TaxDefCurrent, 1);

    // The settings read with defaults now exist.
    for (const char* key : {"一括税抜処理", "印刷用期間（期首）", "個別原価別名", "データパスワードV2", "監査処理＿決算仕訳含む"})
        EXPECT_EQ(scalar(file, QStringLiteral("SELECT COUNT(*) FROM ACCREG WHERE AGROUP='基本設定' AND ACODE='%1'")
                                   .arg(QString::fromUtf8(key))),
                  QStringLiteral("1"))
            << key;
    EXPECT_EQ(scalar(file, QStringLiteral("SELECT COUNT(*) FROM ACCREG WHERE AGROUP='減価償却設定'")), QStringLiteral("2"));
}

TEST_F(AccInfoTest, MedicalCompanySwitchesLayoutBothWays) {
    SystemDef.Reserve4Switch4 = 0;
    openCopy(Medical);
    ASSERT_TRUE(dm.fnGetAccInfo()) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(AccInf.DATATYPE, 3);
    EXPECT_EQ(AccInf.DataTypeName, QStringLiteral("医療法人"));
    EXPECT_EQ(AccInf.MedicalData, 1);
    EXPECT_TRUE(core::MedicalLayoutSelected());
    const QStringList sys(AccInf.SysKCode.begin(), AccInf.SysKCode.end());
    // 前期繰越利益 in slot 4; no 個人 slots; the four medical accounts.
    EXPECT_EQ(sys.join(u','), QStringLiteral("1101,1307,2108,9901,3341,,,,6201,6202,6203,6204"));
    EXPECT_EQ(AccInf.BillKCode[0], QString());
    EXPECT_EQ(AccInf.SitenSwitch, 0); // facilities in use: the operator's switch 4
    EXPECT_EQ(AccInf.TotalName5880, QStringLiteral("研究研修費合計")); // the sample's total line 5880

    openCopy(Ordinary);
    ASSERT_TRUE(dm.fnGetAccInfo());
    EXPECT_EQ(AccInf.MedicalData, 0);
    EXPECT_FALSE(core::MedicalLayoutSelected());
    EXPECT_EQ(AccInf.SysKCode[core::skKyuryo], QString());
}

TEST_F(AccInfoTest, OptionalColumnsMissingGiveDefaults) {
    // First a data set whose optional columns all hold values, then one without the columns:
    // nothing of the first may remain.
    openCopy(Ordinary, {QStringLiteral("UPDATE ACCDEF1 SET KESSAN_KIKAN=3,CASHFLOW_KIKAN1=4,CASHFLOW_KIKAN2=5,"
                                       "SDAI_HASUU3=1,GENKA_HWORD6='見出し',WEB_HOLDER='W1',CLOUD_LINE=7,"
                                       "CLOUD_TIME='2024-05-06 07:08:09',READ_ONLY=1,KURIKOSI1=0,KURIKOSI2=2")});
    ASSERT_TRUE(dm.fnGetAccInfo());
    EXPECT_EQ(AccInf.KESSAN_KIKAN, 3);
    EXPECT_EQ(AccInf.CASHFLOW_KIKAN2, 5);
    EXPECT_EQ(AccInf.GENKA_HWORD6, QStringLiteral("見出し"));
    EXPECT_EQ(AccInf.CLOUD_TIME, QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
    EXPECT_EQ(AccInf.TaxDefCarry1, 0);
    EXPECT_EQ(AccInf.TaxDefCarry2, 2);
    EXPECT_TRUE(dm.IsReadOnlyData());
    EXPECT_TRUE(core::ReadOnlyData);

    QStringList drops;
    for (const char* column : {"KESSAN_KIKAN", "CASHFLOW_KIKAN1", "CASHFLOW_KIKAN2", "SDAI_HASUU3", "GENKA_HWORD6",
                               "WEB_HOLDER", "CLOUD_LINE", "CLOUD_TIME", "READ_ONLY", "KURIKOSI1", "KURIKOSI2"})
        drops << QStringLiteral("ALTER TABLE ACCDEF1 DROP %1").arg(QLatin1String(column));
    openCopy(Ordinary, drops);
    EXPECT_FALSE(dm.fnExistence_Field(QStringLiteral("ACCDEF1"), QStringLiteral("READ_ONLY")));
    ASSERT_TRUE(dm.fnGetAccInfo()) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(AccInf.KESSAN_KIKAN, 0);
    EXPECT_EQ(AccInf.CASHFLOW_KIKAN1, 0);
    EXPECT_EQ(AccInf.CASHFLOW_KIKAN2, 0);
    EXPECT_EQ(AccInf.SDAI_HASUU3, 0);
    EXPECT_EQ(AccInf.GENKA_HWORD6, QString());
    EXPECT_EQ(AccInf.WEB_HOLDER, QString());
    EXPECT_EQ(AccInf.TusinHolder[0], QString());
    EXPECT_EQ(AccInf.CLOUD_LINE, 0);
    EXPECT_FALSE(AccInf.CLOUD_TIME.isValid());
    EXPECT_EQ(AccInf.READ_ONLY, 0);
    EXPECT_FALSE(dm.IsReadOnlyData());
    EXPECT_FALSE(core::ReadOnlyData);
    // Without the carry-forward columns both follow TAXDEFUH.
    EXPECT_EQ(AccInf.TaxDefCarry1, 1);
    EXPECT_EQ(AccInf.TaxDefCarry2, 1);
}

TEST_F(AccInfoTest, DataPasswordBySchemaVersion) {
    const QString file = openCopy(Ordinary);
    struct Case {
        const char* name;
        int major;
        int minor1;
        QString plain; // データパスワード; null: no row
        QString coded; // データパスワードV2; null: no row
        QString expected;
        int zeiRituRows;
    };
    const Case cases[] = {
        {"6: the plain item, trimmed", 6, 0, QStringLiteral("　pass1 "), encodedPassword(QStringLiteral("other")),
         QStringLiteral("pass1"), 3},
        {"7: the scrambled item", 7, 0, QStringLiteral("pass1"), QStringLiteral(" %1　").arg(encodedPassword(QStringLiteral("Secret12"))),
         QStringLiteral("Secret12"), 3},
        {"7: undecodable", 7, 0, QStringLiteral("pass1"), QStringLiteral("ab#cd"), QString(), 3},
        {"7: no scrambled item", 7, 0, QStringLiteral("pass1"), QString(), QString(), 3},
        {"11.1: the five rates", 11, 1, QString(), encodedPassword(QStringLiteral("k9")), QStringLiteral("k9"), 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList sql{QStringLiteral("DELETE FROM ACCVERSION"),
                        QStringLiteral("INSERT INTO ACCVERSION(REC,MAJOR,MINOR1,MINOR2) VALUES(1,%1,%2,0)").arg(c.major).arg(c.minor1),
                        QStringLiteral("DELETE FROM ACCREG WHERE ACODE IN ('データパスワード','データパスワードV2')")};
        const QString insert = QStringLiteral("INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES('基本設定','%1','文字','%2')");
        if (!c.plain.isNull())
            sql << insert.arg(QStringLiteral("データパスワード"), c.plain);
        if (!c.coded.isNull())
            sql << insert.arg(QStringLiteral("データパスワードV2"), c.coded);
        run(file, sql);
        ASSERT_TRUE(dm.fnGetAccInfo()) << messages.texts().join(u'\n').toStdString();
        EXPECT_EQ(AccInf.DataMajor, c.major);
        EXPECT_EQ(AccInf.DataPassword, c.expected);
        EXPECT_EQ(core::ZeiRituTable.size(), c.zeiRituRows);
    }
}

TEST_F(AccInfoTest, FailedLoadKeepsPreviousCompany) {
    openCopy(Medical);
    ASSERT_TRUE(dm.fnGetAccInfo());
    core::ReadOnlyData = true; // as if the medical data set were read-only
    const QString before = fingerprint(AccInf);
    const int rates = int(core::ZeiRituTable.size());
    ASSERT_EQ(rates, 5);

    // Each copy is an ordinary company of schema 6 (three rates, ordinary layout) that fails
    // at a different point of the load.
    const QStringList schema6{QStringLiteral("DELETE FROM ACCVERSION"),
                              QStringLiteral("INSERT INTO ACCVERSION(REC,MAJOR,MINOR1,MINOR2) VALUES(1,6,0,0)")};
    struct Case {
        const char* name;
        QString sql;
        QString text; // part of the message shown
    };
    const Case cases[] = {
        {"unsupported code type", QStringLiteral("UPDATE ACCDEF1 SET CODETYPE=2"), QStringLiteral("(CodeType=2)")},
        {"unsupported data type", QStringLiteral("UPDATE ACCDEF1 SET DATATYPE=9"), QStringLiteral("(DataType=9)")},
        {"no ACCDEF1 row", QStringLiteral("DELETE FROM ACCDEF1"),
         QStringLiteral("基本設定(ACCDEF1)のレコードが見つかりませんでした。")},
        {"database error after the settings rows", QStringLiteral("DROP TABLE ACCVERSION"), QStringLiteral("ACCVERSION")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openCopy(Ordinary, schema6 + QStringList{c.sql});
        messages.messages.clear();
        EXPECT_FALSE(dm.fnGetAccInfo());
        ASSERT_EQ(messages.messages.size(), 1);
        EXPECT_TRUE(messages.messages[0].text.startsWith(QStringLiteral("基本情報の取得に失敗しました。")));
        EXPECT_TRUE((messages.messages[0].text + messages.messages[0].detail).contains(c.text))
            << (messages.messages[0].text + messages.messages[0].detail).toStdString();
        EXPECT_EQ(fingerprint(AccInf), before);
        EXPECT_TRUE(core::MedicalLayoutSelected());
        EXPECT_TRUE(core::ReadOnlyData);
        EXPECT_EQ(core::ZeiRituTable.size(), rates);
        EXPECT_FALSE(dm.IBTransactionDAT.inTransaction());
    }
}

TEST_F(AccInfoTest, AuditClosingDefaultFollowsFixDate) {
    const QString file = openCopy(Ordinary);
    struct Case {
        QString fixDate;
        quint8 includeClosing;
    };
    const Case cases[] = {
        {QStringLiteral("2025-03-31"), 1}, // the year end
        {QStringLiteral("2024-09-30"), 1}, // the second quarter's end
        {QStringLiteral("2024-07-15"), 0},
        {QStringLiteral("NULL"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fixDate.toStdString());
        const QString value = c.fixDate == QLatin1String("NULL") ? c.fixDate : QLatin1Char('\'') + c.fixDate + QLatin1Char('\'');
        run(file, {QStringLiteral("UPDATE ACCDEF1 SET KANSA_FIXDATE=%1").arg(value),
                   QStringLiteral("DELETE FROM ACCREG WHERE ACODE='監査処理＿決算仕訳含む'")});
        ASSERT_TRUE(dm.fnGetAccInfo());
        EXPECT_EQ(AccInf.KansaIncludeClosing, c.includeClosing);
        EXPECT_EQ(scalar(file, QStringLiteral("SELECT ATEXT FROM ACCREG WHERE ACODE='監査処理＿決算仕訳含む'")),
                  c.includeClosing ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
    }
    // A stored value wins over the computed default.
    run(file, {QStringLiteral("UPDATE ACCREG SET ATEXT='TRUE' WHERE ACODE='監査処理＿決算仕訳含む'")});
    ASSERT_TRUE(dm.fnGetAccInfo());
    EXPECT_EQ(AccInf.KansaIncludeClosing, 1);
}

TEST_F(AccInfoTest, KansaLockDate) {
    const QDate fix(2024, 9, 30);
    struct Case {
        const char* name;
        QDate date;
        quint8 includeBoundary;
        quint8 includeClosing;
        bool expected;
        QDate kansaDate = QDate(2024, 10, 15);
        QDate fixDate = QDate(2024, 9, 30);
        qint32 lock = 1;
        quint8 supervisor = 0;
        qint32 jobLevel = 1;
    };
    const Case cases[] = {
        {"before the fix date", fix.addDays(-1), 1, 0, true},
        {"fix date, boundary 0", fix, 0, 0, true},
        {"fix date, boundary 1", fix, 1, 0, false},
        {"after the fix date", fix.addDays(1), 0, 0, false},
        {"closing included: fix date, boundary 1", fix, 1, 1, true},
        {"closing included: after", fix.addDays(1), 0, 1, false},
        {"no date", QDate(), 0, 0, false},
        {"no audit date", fix.addDays(-1), 0, 0, false, QDate()},
        {"no fix date", fix.addDays(-1), 0, 0, false, QDate(2024, 10, 15), QDate()},
        {"zero fix date", fix.addDays(-1), 0, 0, false, QDate(2024, 10, 15), QDate(1899, 12, 30)},
        {"not locked", fix.addDays(-1), 0, 0, false, QDate(2024, 10, 15), fix, 0},
        {"supervisor", fix.addDays(-1), 0, 0, false, QDate(2024, 10, 15), fix, 1, 1},
        {"administrator level", fix.addDays(-1), 0, 0, false, QDate(2024, 10, 15), fix, 1, 0, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AccInf.KANSA_DATE = c.kansaDate;
        AccInf.KANSA_FIXDATE = c.fixDate;
        AccInf.KANSA_LOCK = c.lock;
        AccInf.KansaIncludeClosing = c.includeClosing;
        SystemDef.Supervisor = c.supervisor;
        SystemDef.JobLevel = c.jobLevel;
        EXPECT_EQ(dm.IsKansaLockDate(c.includeBoundary, c.date), c.expected);
    }
}

TEST_F(AccInfoTest, TypeNames) {
    struct Case {
        qint32 dataType;
        qint32 codeType;
        QString plain;   // GetCodeTypeName(…, false)
        QString joined;  // GetCodeTypeName(…, true)
        bool medical;
    };
    const Case cases[] = {
        {1, 1, QString(), QStringLiteral("法人"), false},
        {2, 1, QStringLiteral("一般"), QStringLiteral("個人／一般"), false},
        {2, 2, QStringLiteral("不動産"), QStringLiteral("個人／不動産"), false},
        {2, 3, QStringLiteral("クリニック"), QStringLiteral("個人／クリニック"), false},
        {2, 4, QStringLiteral("農業"), QStringLiteral("個人／農業"), false},
        {3, 1, QString(), QStringLiteral("医療法人"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.joined.toStdString());
        EXPECT_EQ(TDM::GetCodeTypeName(c.dataType, c.codeType, false), c.plain);
        EXPECT_EQ(TDM::GetCodeTypeName(c.dataType, c.codeType, true), c.joined);
        core::SelectMedicalLayout(!c.medical);
        EXPECT_EQ(dm.IsMedicalData(c.dataType, c.codeType), c.medical);
        EXPECT_EQ(core::MedicalLayoutSelected(), c.medical);
    }

    const QString dataTypeText = QStringLiteral("このプログラムでは、該当のデータタイプを処理することが出来ません。");
    const QString codeTypeText = QStringLiteral("このプログラムでは、該当のコードタイプを処理することが出来ません。");
    struct Failure {
        qint32 dataType;
        qint32 codeType;
        QString message;
    };
    const Failure failures[] = {
        {1, 2, codeTypeText + QStringLiteral("(CodeType=2)")},
        {3, 2, codeTypeText + QStringLiteral("(CodeType=2)")},
        {2, 5, codeTypeText + QStringLiteral("(CodeType=5)")},
        {2, 0, codeTypeText + QStringLiteral("(CodeType=0)")},
        {0, 1, dataTypeText + QStringLiteral("(DataType=0)")},
        {4, 1, dataTypeText + QStringLiteral("(DataType=4)")},
    };
    for (const Failure& f : failures) {
        SCOPED_TRACE(f.message.toStdString());
        for (bool withDataType : {false, true}) {
            try {
                TDM::GetCodeTypeName(f.dataType, f.codeType, withDataType);
                ADD_FAILURE() << "no error";
            } catch (const core::Exception& e) {
                EXPECT_EQ(e.message(), f.message);
            }
        }
    }
    EXPECT_EQ(TDM::GetDataTypeName(2), QStringLiteral("個人"));
    EXPECT_THROW(TDM::GetDataTypeName(-1), core::Exception);
    EXPECT_EQ(dm.GetKeisanKbn(7), 7);
    EXPECT_EQ(dm.GetTaxDefUH(-3), -3);
}

TEST_F(AccInfoTest, JournalCounts) {
    const QString file = openCopy(Medical, {QStringLiteral("UPDATE SIWAKE SET DELFLG=1 WHERE REC IN (1,2)"),
                                            QStringLiteral("UPDATE SIWAKE SET DELFLG=2 WHERE REC IN (3,4)")});
    const QString facility = scalar(file, QStringLiteral("SELECT SCODE FROM SIWAKE WHERE REC=1"));
    const int facilities = scalar(file, QStringLiteral("SELECT COUNT(*) FROM SISETUMST")).toInt();
    ASSERT_GT(facilities, 2);

    // A blank code sums every facility (the whole-company row " " among them).
    int sum = scalar(file, QStringLiteral("SELECT SIWAKECOUNT FROM SISETUMST WHERE SCODE=' '")).toInt();
    const std::unique_ptr<core::TIBDatabase> db = schema::openDatabase(schema::DbAccount{}, file);
    {
        core::TIBTransaction t;
        t.addDatabase(db.get());
        t.startTransaction();
        core::TIBSQL q(db.get(), &t);
        q.sql() << QStringLiteral("SELECT SCODE FROM SISETUMST WHERE SCODE<>' '");
        for (q.execQuery(); !q.eof(); q.next())
            sum += dm.GetYukouSiwakeCount(q.fields(0).asString());
    }
    EXPECT_GT(sum, 0);
    EXPECT_EQ(dm.GetYukouSiwakeCount(QString()), sum);
    EXPECT_EQ(dm.GetYukouSiwakeCount(QStringLiteral(" ")), sum);

    const int deletedHere = scalar(file, QStringLiteral("SELECT COUNT(*) FROM SIWAKE WHERE DELFLG>0 AND TAISHAKU=1 "
                                                        "AND SCODE='%1'").arg(facility)).toInt();
    EXPECT_EQ(dm.GetUpDelSiwakeCount(QString()), 2);
    EXPECT_EQ(dm.GetUpDelSiwakeCount(facility), deletedHere);

    qint32 valid = -1;
    qint32 updatedDeleted = -1;
    EXPECT_EQ(dm.GetSiwakeCount(QString(), valid, updatedDeleted), sum + 2);
    EXPECT_EQ(valid, sum);
    EXPECT_EQ(updatedDeleted, 2);
    EXPECT_EQ(dm.GetSiwakeCountTotal(facility), dm.GetYukouSiwakeCount(facility) + deletedHere);
    EXPECT_FALSE(dm.IBTransactionDAT.inTransaction());

    // Inside the caller's transaction the counts join it and leave it open.
    dm.IBTransactionDAT.startTransaction();
    EXPECT_EQ(dm.GetSiwakeCountTotal(QString()), sum + 2);
    EXPECT_TRUE(dm.IBTransactionDAT.inTransaction());
    dm.IBTransactionDAT.commit();
}

TEST_F(AccInfoTest, ExistenceTestsAndSmallReads) {
    const QString file = openCopy(Ordinary);
    struct Case {
        QString table;
        QString field; // empty: the table test
        bool expected;
    };
    const Case cases[] = {
        {QStringLiteral("ACCDEF1"), QString(), true},
        {QStringLiteral("TUSIN_ID"), QString(), true},
        {QStringLiteral("NO_SUCH_TABLE"), QString(), false},
        {QStringLiteral("ACCDEF1"), QStringLiteral("READ_ONLY"), true},
        {QStringLiteral("ACCDEF1"), QStringLiteral("NO_SUCH_COLUMN"), false},
        {QStringLiteral("NO_SUCH_TABLE"), QStringLiteral("READ_ONLY"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.table + QLatin1Char('.') + c.field).toStdString());
        const bool found = c.field.isEmpty() ? dm.fnExistence_Table(c.table) : dm.fnExistence_Field(c.table, c.field);
        EXPECT_EQ(found, c.expected);
        EXPECT_FALSE(dm.IBTransactionDAT.inTransaction());
    }
    dm.IBTransactionDAT.startTransaction();
    EXPECT_TRUE(dm.fnExistence_Table(QStringLiteral("ACCDEF1")));
    EXPECT_TRUE(dm.IBTransactionDAT.inTransaction());

    // The version read commits the caller's transaction first and leaves none open.
    EXPECT_EQ(dm.fnGetDataBaseVer(), QStringLiteral("15.0.0"));
    EXPECT_FALSE(dm.IBTransactionDAT.inTransaction());

    QString code = QStringLiteral("x");
    QString userCode = QStringLiteral("y");
    dm.SetSystemCode(QStringLiteral("仮受消費税"), code, userCode);
    EXPECT_EQ(code, QStringLiteral("2108"));
    EXPECT_EQ(userCode, QStringLiteral("2108"));
    dm.SetSystemCode(QStringLiteral("元入金"), code, userCode);
    EXPECT_EQ(code, QString());
    EXPECT_EQ(userCode, QString());
    EXPECT_EQ(dm.GetUserCode(QStringLiteral(" ")), QString());
    EXPECT_EQ(dm.GetUserCode(QStringLiteral("ZZZZ")), QString());
    EXPECT_EQ(dm.fnGetAccTotalName(QStringLiteral("0000"), QStringLiteral("PLUSNAME")), QString());
    EXPECT_TRUE(messages.messages.isEmpty());

    // Without a version row, and with a database error (reported), the version is 0.0.0.
    run(file, {QStringLiteral("DELETE FROM ACCVERSION")});
    EXPECT_EQ(dm.fnGetDataBaseVer(), QStringLiteral("0.0.0"));
    EXPECT_TRUE(messages.messages.isEmpty());
    run(file, {QStringLiteral("DROP TABLE ACCVERSION")});
    EXPECT_EQ(dm.fnGetDataBaseVer(), QStringLiteral("0.0.0"));
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("データベースのバージョンの取得に失敗しました。"));
    EXPECT_FALSE(dm.IBTransactionDAT.inTransaction());
}

} // namespace
