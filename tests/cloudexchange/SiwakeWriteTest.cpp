// The journal-entry writer and its check on the ordinary sample.
#include "CashBookFixture.h"
#include "cloudexchange/SiwakeWrite.h"
#include "core/EIBError.h"

#include <QElapsedTimer>

using namespace cashbooktest;
using cloudexchange::TSiwakeWrite;

namespace {

class SiwakeWriteTest : public CashBookTest {
protected:
    void SetUp() override {
        CashBookTest::SetUp();
        if (HasFatalFailure())
            return;
        writer = std::make_unique<TSiwakeWrite>();
        writer->SetTransaction(&dm.IBTransactionDAT);
        const QString cash = core::AccInf.SysKCode[core::skGenkin];
        sampleRec = valueOpen(QStringLiteral("SELECT FIRST 1 REC FROM SIWAKE WHERE TAISHAKU=1 AND DELFLG=0 AND "
                                             "(KCODE='%1' OR R_KCODE='%1') ORDER BY REC").arg(cash)).toInt();
        ASSERT_GT(sampleRec, 0);
    }
    void TearDown() override {
        if (dm.IBTransactionDAT.inTransaction())
            dm.IBTransactionDAT.rollback();
        writer.reset();
        CashBookTest::TearDown();
    }
    core::TSWKREC read(int rec) {
        core::TSWKREC r;
        writer->AutoCommit = true;
        writer->GetSiwake(r, rec, false);
        return r;
    }
    // A new entry with the contents of a sample cash entry.
    core::TSWKREC newEntry() {
        core::TSWKREC r = read(sampleRec);
        r.REC = 0;
        r.SWKREC = 0;
        r.SWKNO = 0;
        return r;
    }
    qint32 put(core::TSWKREC& r) {
        writer->AutoCommit = true;
        return writer->PutSiwake(r);
    }

    std::unique_ptr<TSiwakeWrite> writer;
    int sampleRec = 0;
};

} // namespace

TEST_F(SiwakeWriteTest, PutInsertsAndUpdates) {
    core::TSWKREC r = newEntry();
    const qint32 rec = put(r);
    ASSERT_GT(rec, 0);
    EXPECT_EQ(r.REC, rec);
    EXPECT_EQ(r.SWKNO, r.SWKREC);
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT COUNT(*) FROM SIWAKE WHERE SWKREC=%1 AND DELFLG=0").arg(r.SWKREC)),
              QStringLiteral("2"));
    EXPECT_FALSE(dm.IBTransactionDAT.inTransaction()); // AutoCommit committed and was used up
    EXPECT_FALSE(writer->AutoCommit);

    core::TSWKREC same = read(rec);
    EXPECT_EQ(put(same), 0);
    EXPECT_EQ(same.REC, rec); // unchanged contents: the same rows

    const int oldSwkRec = same.SWKREC;
    same.KINGAKU = same.KINGAKU + core::Currency::fromInt(1);
    EXPECT_EQ(put(same), 0);
    EXPECT_NE(same.REC, rec); // a new version
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT MIN(DELFLG) FROM SIWAKE WHERE SWKREC=%1").arg(oldSwkRec)), QStringLiteral("2"));
}

TEST_F(SiwakeWriteTest, PutRefusesAStaleEntry) {
    core::TSWKREC r = newEntry();
    put(r);
    core::TSWKREC stale = r;
    writer->AutoCommit = true;
    writer->DeleteSiwake(r.SWKREC);
    EXPECT_EQ(put(stale), -1);
    EXPECT_EQ(stale.REC, r.REC);

    core::TSWKREC r2 = newEntry();
    put(r2);
    core::TSWKREC old = r2;
    r2.KINGAKU = r2.KINGAKU + core::Currency::fromInt(5);
    put(r2); // corrected: r2 is now the live version
    EXPECT_EQ(put(old), -2);
    EXPECT_EQ(old.REC, r2.REC);
}

TEST_F(SiwakeWriteTest, RestoreNumbersAfterTheLiveEntriesOfItsDate) {
    core::TSWKREC r = newEntry();
    r.HIZUKE = QDateTime(core::AccInf.KISHU.addDays(3), QTime(0, 0));
    put(r);
    writer->AutoCommit = true;
    writer->DeleteSiwake(r.SWKREC);
    const QString day = r.HIZUKE.date().toString(Qt::ISODate);
    runOpen({QStringLiteral("UPDATE SIWAKE SET DELFLG=1 WHERE HIZUKE='%1' AND DELFLG=0").arg(day)});
    writer->AutoCommit = true;
    EXPECT_TRUE(writer->RestoreSiwake(r.SWKREC));
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT SDAYNUM FROM SIWAKE WHERE REC=%1").arg(r.REC)), QStringLiteral("0"));

    core::TSWKREC live = newEntry();
    live.HIZUKE = r.HIZUKE;
    put(live);
    writer->AutoCommit = true;
    writer->DeleteSiwake(r.SWKREC);
    runOpen({QStringLiteral("UPDATE SIWAKE SET SDAYNUM=7 WHERE SWKREC=%1").arg(live.SWKREC)});
    writer->AutoCommit = true;
    writer->RestoreSiwake(r.SWKREC);
    EXPECT_EQ(valueOpen(QStringLiteral("SELECT SDAYNUM FROM SIWAKE WHERE REC=%1").arg(r.REC)), QStringLiteral("8"));
}

TEST_F(SiwakeWriteTest, GetOfAMissingEntryGivesAFreshOne) {
    core::TSWKREC r = read(sampleRec);
    EXPECT_EQ(r.REC, sampleRec);
    EXPECT_FALSE(r.Debit.KCODE.isEmpty());
    core::TSWKREC missing = read(99999999);
    EXPECT_EQ(missing.REC, 0);
    EXPECT_EQ(missing.HIZUKE.date(), QDate::currentDate());
    EXPECT_EQ(missing.Debit.TAXCODE, 910);
}

TEST_F(SiwakeWriteTest, AHeldEntryEndsInAnErrorNotAHang) {
    core::TSWKREC r = read(sampleRec);
    core::TIBDatabase other;
    other.setDatabaseName(openFile);
    other.params() = {QStringLiteral("user_name=TALLEK"), QStringLiteral("password=vorbin"), QStringLiteral("lc_ctype=SJIS_0208")};
    other.open();
    core::TIBTransaction held;
    held.addDatabase(&other);
    held.startTransaction();
    core::TIBSQL lock(&other, &held);
    lock.sql() << QStringLiteral("UPDATE SIWAKE SET RESERVE2=1 WHERE SWKREC=%1").arg(r.SWKREC);
    lock.execSQL();

    r.KINGAKU = r.KINGAKU + core::Currency::fromInt(1);
    dm.IBTransactionDAT.startTransaction(); // the caller's transaction
    QElapsedTimer timer;
    timer.start();
    EXPECT_THROW(writer->PutSiwake(r), core::EIBError);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_TRUE(dm.IBTransactionDAT.inTransaction()); // the caller's, left to the caller
    dm.IBTransactionDAT.rollback();
    held.rollback();
    other.close();
}

TEST_F(SiwakeWriteTest, CheckRulesInBothMessageVariants) {
    const core::TSWKREC base = read(sampleRec);
    qint32 code = -1;
    QString message;
    {
        core::TSWKREC r = base;
        writer->AutoCommit = true;
        ASSERT_TRUE(writer->TestSiwake(r, code, message)) << code << " " << message.toStdString();
        EXPECT_GE(r.MNUM, 1);
    }
    struct Case {
        const char* name;
        std::function<void(core::TSWKREC&)> change;
        qint32 code;
        QString variant0;
        QString variant1;
    };
    const QDate kimatu = core::AccInf.KIMATU;
    const Case cases[] = {
        {"outside the period", [&](core::TSWKREC& r) { r.HIZUKE = QDateTime(kimatu.addDays(1), QTime(0, 0)); }, 1,
         QStringLiteral("日付が会計期間外または、決算区分の指定が不正です。"),
         QStringLiteral("日付が会計期間外または、決算区分の設定が不正です。")},
        {"approved", [](core::TSWKREC& r) { r.SHONIN_HIZUKE = QDateTime(QDate(2024, 1, 1), QTime(0, 0)); }, 40,
         QStringLiteral("承認済みの仕訳は訂正できません。"), QStringLiteral("承認済みの仕訳が設定されました。")},
        {"unknown debit account", [](core::TSWKREC& r) { r.Debit.KCODE = QStringLiteral("9999"); }, 11,
         QStringLiteral("借方の科目コードが見つかりません。"), QStringLiteral("借方の科目コードの設定が不正です。")},
        {"unknown credit account", [](core::TSWKREC& r) { r.Credit.KCODE = QStringLiteral("9999"); }, 21,
         QStringLiteral("貸方の科目コードが見つかりません。"), QStringLiteral("貸方の科目コードの設定が不正です。")},
        {"unlisted tax code", [](core::TSWKREC& r) { r.Debit.TAXCODE = 999; }, 12,
         QStringLiteral("借方の消費税コードを確認してください。"), QStringLiteral("借方の消費税コードの設定が不正です。")},
        {"zero", [](core::TSWKREC& r) { r.KINGAKU = core::Currency::fromRaw(5000); }, 31,
         QStringLiteral("金額を入力してください。"), QStringLiteral("金額の設定が不正です。（０円 または null）")},
        {"negative", [](core::TSWKREC& r) { r.KINGAKU = core::Currency::fromInt(-3); }, 31,
         QStringLiteral("マイナス金額は入力できません。"), QStringLiteral("金額にマイナス値が設定されました。")},
        {"too large", [](core::TSWKREC& r) { r.KINGAKU = core::Currency::fromInt(10000000000LL); }, 31,
         QStringLiteral("金額桁数がオーバーしています。"), QStringLiteral("金額の設定が不正です。（桁数オーバー）")},
        {"largest", [](core::TSWKREC& r) { r.KINGAKU = core::Currency::fromInt(9999999999LL); }, 0, {}, {}},
    };
    for (const quint8 mode : {quint8(0), quint8(1)}) {
        writer->DataMode = mode;
        for (const Case& c : cases) {
            core::TSWKREC r = base;
            c.change(r);
            writer->AutoCommit = true;
            const bool ok = writer->TestSiwake(r, code, message);
            EXPECT_EQ(ok, c.code == 0) << c.name;
            EXPECT_EQ(code, c.code) << c.name;
            EXPECT_EQ(message, mode == 0 ? c.variant0 : c.variant1) << c.name;
        }
    }
}

TEST_F(SiwakeWriteTest, CheckPeriodFacilityAndIndividualCost) {
    core::TSWKREC r = read(sampleRec);
    qint32 code = 0;
    QString message;
    writer->DataMode = 1;
    dm.IBTransactionDAT.startTransaction(); // the caller's
    r.HIZUKE = QDateTime(core::AccInf.KIMATU, QTime(0, 0));
    r.KESSAN = 1;
    ASSERT_TRUE(writer->TestSiwake(r, code, message)) << message.toStdString();
    EXPECT_EQ(r.MNUM, 16);
    r.KESSAN = 0;
    ASSERT_TRUE(writer->TestSiwake(r, code, message));
    EXPECT_LT(r.MNUM, 16);

    core::AccInf.KAISI = core::AccInf.KISHU.addMonths(1);
    r.HIZUKE = QDateTime(core::AccInf.KAISI.addDays(-1), QTime(0, 0));
    EXPECT_FALSE(writer->TestSiwake(r, code, message));
    EXPECT_EQ(code, 1);
    core::AccInf.KAISI = core::AccInf.KISHU;
    r.HIZUKE = QDateTime(core::AccInf.KISHU.addDays(10), QTime(0, 0));

    for (const int dataType : {1, 3}) {
        core::AccInf.SITEN = 1;
        core::AccInf.DATATYPE = dataType;
        core::TSWKREC f = r;
        f.SCODE = QStringLiteral("  ");
        EXPECT_FALSE(writer->TestSiwake(f, code, message));
        EXPECT_EQ(code, 5);
        EXPECT_EQ(message, dataType == 3 ? QStringLiteral("施設コードが不正です。") : QStringLiteral("本・支店コードが不正です。"));
    }
    core::AccInf.SITEN = 0;
    core::AccInf.DATATYPE = 1;

    core::AccInf.KobetuGenkaUse = 1;
    core::AccInf.KobetuGenkaName = QStringLiteral("工事");
    core::AccInf.KobetuGenkaDigits = 1;
    r.SNUM = 12;
    EXPECT_FALSE(writer->TestSiwake(r, code, message));
    EXPECT_EQ(code, 4);
    EXPECT_EQ(message, QStringLiteral("工事コードの設定が不正です。"));
    writer->KobetuCodes << qMakePair(QStringLiteral("0012"), 1);
    EXPECT_TRUE(writer->TestSiwake(r, code, message)) << message.toStdString();
    core::AccInf.KobetuGenkaUse = 0;
}
