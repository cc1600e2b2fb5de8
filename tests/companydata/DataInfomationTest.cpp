// The data-folder information file "qmacc.ini": its layout on disk, reading it back, the
// status keys and taking a data set out of its shared area and back.
#include "DmTestSupport.h"
#include "companydata/DataInfomation.h"
#include "core/Exception.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"
#include "tests/support/RecordingMessageService.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using companydata::TDataInfomation;
using companydata::TDataInfomationRec;

namespace {

class DataInfomationFileTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        core::Identity = core::IdentityFrom(core::DefaultAppInfo());
        core::SystemDef.OPCODE = 100000007;
        core::SystemDef.OPNAME = QStringLiteral("山田太郎");
    }

    QString folder(const QString& name) {
        const QString path = dir.filePath(name);
        QDir().mkpath(path);
        return path;
    }
    static QByteArray bytes(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeBytes(const QString& file, const QByteArray& data) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    static QString ini(const QString& folder) { return folder + QStringLiteral("/qmacc.ini"); }

    static TDataInfomationRec sampleRec() {
        TDataInfomationRec rec;
        rec.Status = 2;
        rec.OpCode = 100000007;
        rec.OpName = QStringLiteral("山田太郎");
        rec.UpdateLock = 1;
        rec.DataListName = QStringLiteral("みなと商事");
        rec.Code = QStringLiteral("A01");
        rec.DataKbn = 1;
        rec.CodeKbn = 2;
        rec.Shougou = QStringLiteral("株式会社みなと商事");
        rec.Kana = QStringLiteral("ﾐﾅﾄｼｮｳｼﾞ");
        rec.Nendo = 2024;
        rec.Kishu = QStringLiteral("2024/04/01");
        rec.Kimatu = QStringLiteral("2025/03/31");
        rec.Siwake = 1100;
        rec.TotalSiwake = 1102;
        rec.VerMajor = 15;
        rec.VerMinor1 = 1;
        rec.VerMinor2 = 3;
        rec.VerName = QStringLiteral("財務15");
        rec.CloudShare = 1;
        return rec;
    }

    dmtest::ScopedSession session;
    QTemporaryDir dir;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
};

TEST_F(DataInfomationFileTest, WritesBothSectionsInTheirKeyOrderAsCp932) {
    TDataInfomation info;
    const QString f = folder(QStringLiteral("d1"));
    info.WriteIniFile(f, QString(), sampleRec());

    const QString expected = QStringLiteral(
        "[DATASTS]\r\nSTATUS=2\r\nOPCODE=100000007\r\nOPERATOR=山田太郎\r\nSHARE_STATUS=1\r\n"
        "UPDATE_LOCK=1\r\nREAD_ONLY=0\r\n\r\n"
        "[DATAINFO]\r\nDATALISTNAME=みなと商事\r\nCODE=A01\r\nDATAKBN=1\r\nCODEKBN=2\r\n"
        "SHOUGOU=株式会社みなと商事\r\nKANA=ﾐﾅﾄｼｮｳｼﾞ\r\nNENDO=2024\r\nKISHU=2024/04/01\r\nKIMATU=2025/03/31\r\n"
        "TANTO=0\r\nSITEN=0\r\nSITENCNT=0\r\nBUMON=0\r\nBUMONCNT=0\r\nSIWAKE=1100\r\nTOTALSIWAKE=1102\r\n"
        "VERSION1=15.1.3\r\nVERSION2=財務15\r\nGASSANKBN=0\r\nUSEMYNUMBER=0\r\nCLOUD_SHARE=1\r\n");
    EXPECT_EQ(bytes(ini(f)), platform::toCp932(expected));

    // Rewriting one section leaves the other as it is; share keys appear only with a code.
    TDataInfomationRec sts;
    sts.ShareStatus = 2;
    sts.ShareOpCode = 5;
    sts.ShareOpName = QStringLiteral("佐藤");
    info.WriteIniFile(f, QStringLiteral("DATASTS"), sts);
    platform::TIniFile file(ini(f));
    EXPECT_EQ(file.ReadSection(QStringLiteral("DATASTS")),
              (QStringList{"STATUS", "SHARE_STATUS", "SHARE_OPCODE", "SHARE_OPERATOR", "UPDATE_LOCK", "READ_ONLY"}));
    EXPECT_EQ(file.ReadString(QStringLiteral("DATAINFO"), QStringLiteral("SHOUGOU"), {}),
              QStringLiteral("株式会社みなと商事"));
}

TEST_F(DataInfomationFileTest, ReadsBackWhatWasWrittenAndAppliesTheDefaults) {
    TDataInfomation info;
    const QString f = folder(QStringLiteral("d2"));
    info.WriteIniFile(f, QString(), sampleRec());
    TDataInfomationRec rec;
    ASSERT_EQ(info.ReadIni(f, rec), 1);
    const TDataInfomationRec want = sampleRec();
    EXPECT_EQ(rec.Status, want.Status);
    EXPECT_EQ(rec.OpCode, want.OpCode);
    EXPECT_EQ(rec.OpName, want.OpName);
    EXPECT_EQ(rec.DataListName, want.DataListName);
    EXPECT_EQ(rec.Kana, want.Kana);
    EXPECT_EQ(rec.Kimatu, want.Kimatu);
    EXPECT_EQ(rec.TotalSiwake, want.TotalSiwake);
    EXPECT_EQ(std::tuple(rec.VerMajor, rec.VerMinor1, rec.VerMinor2), std::tuple(15, 1, 3));
    EXPECT_EQ(rec.VerName, want.VerName);
    EXPECT_EQ(rec.CloudShare, 1);

    // Defaults: bad numbers, an empty registered name, a short version.
    writeBytes(ini(f), platform::toCp932(QStringLiteral(
                           "[DATASTS]\r\nSTATUS=x\r\n[DATAINFO]\r\nDATALISTNAME=\r\nSHOUGOU=商号だけ\r\n"
                           "NENDO=abc\r\nVERSION1=12.a\r\n")));
    ASSERT_EQ(info.ReadIni(f, rec), 1);
    EXPECT_EQ(rec.Status, 1);
    EXPECT_EQ(rec.ShareStatus, 1);
    EXPECT_EQ(rec.Nendo, 0);
    EXPECT_EQ(rec.DataListName, QStringLiteral("商号だけ"));
    EXPECT_EQ(std::tuple(rec.VerMajor, rec.VerMinor1, rec.VerMinor2), std::tuple(12, 0, 0));
}

TEST_F(DataInfomationFileTest, ReadingByLocationMode) {
    const QString empty = folder(QStringLiteral("empty"));
    const QString withIni = folder(QStringLiteral("withini"));
    TDataInfomation writer;
    writer.WriteIniFile(withIni, QString(), sampleRec());

    struct Case {
        quint8 mode;
        QString folder;
        int result;
        quint8 status;
        QString name;
    };
    const Case cases[] = {
        {0, empty, 0, 1, {}},                        // neither database nor file
        {0, QString(), 1, 1, {}},                    // no folder
        {0, withIni, 1, 2, QStringLiteral("みなと商事")}, // the file alone is read
        {3, withIni, 1, 1, {}},                      // unknown place: cleared
    };
    for (const Case& c : cases) {
        TDataInfomation info;
        info.DataPlace = c.mode;
        TDataInfomationRec rec = sampleRec();
        EXPECT_EQ(info.ReadIniFile(QString(), c.folder, rec), c.result) << c.folder.toStdString();
        EXPECT_EQ(rec.Status, c.status) << c.folder.toStdString();
        EXPECT_EQ(rec.DataListName, c.name) << c.folder.toStdString();
    }
}

TEST_F(DataInfomationFileTest, StatusKeysFollowTheStatus) {
    TDataInfomation info;
    const QString f = folder(QStringLiteral("d3"));
    platform::TIniFile file(ini(f));

    info.SetDataStatus(f, 7);
    EXPECT_EQ(file.ReadSectionValues(QStringLiteral("DATASTS")),
              (QStringList{"STATUS=7", "OPCODE=100000007", QStringLiteral("OPERATOR=山田太郎")}));
    info.SetDataStatus(f, 1);
    EXPECT_EQ(file.ReadSectionValues(QStringLiteral("DATASTS")), QStringList{"STATUS=1"});

    EXPECT_TRUE(info.SetShareStatusIfChanged(f, 2));
    EXPECT_EQ(file.ReadString(QStringLiteral("DATASTS"), QStringLiteral("SHARE_OPCODE"), {}),
              QStringLiteral("100000007"));
    EXPECT_FALSE(info.SetShareStatusIfChanged(f, 2));
    EXPECT_TRUE(info.SetShareStatusIfChanged(f, 1));
    EXPECT_FALSE(file.ValueExists(QStringLiteral("DATASTS"), QStringLiteral("SHARE_OPERATOR")));
    EXPECT_FALSE(info.SetShareStatusIfChanged(f, 1));

    info.WriteIniValue(f, QStringLiteral("DATAINFO"), false, 5, QStringLiteral("NENDO"));
    EXPECT_EQ(file.ReadInteger(QStringLiteral("DATAINFO"), QStringLiteral("NENDO"), 0), 5);
    info.WriteIniValue(f, QStringLiteral("DATAINFO"), true, {}, QStringLiteral("NENDO"));
    EXPECT_FALSE(file.ValueExists(QStringLiteral("DATAINFO"), QStringLiteral("NENDO")));
}

TEST_F(DataInfomationFileTest, ServerModesNeverWriteTheFile) {
    for (quint8 mode : {1, 2}) {
        TDataInfomation info;
        info.DataPlace = mode;
        const QString f = folder(QStringLiteral("server%1").arg(mode));
        info.WriteIniFile(f, QString(), sampleRec());
        info.SetDataStatus(f, 7);
        info.SetShareStatus(f, 2);
        info.WriteIniValue(f, QStringLiteral("DATASTS"), false, 1, QStringLiteral("STATUS"));
        info.RefreshIniFile(f, QStringLiteral("DATASTS"));
        EXPECT_FALSE(QFile::exists(ini(f)));
    }
}

TEST_F(DataInfomationFileTest, KyoyuDataDownAndUp) {
    const QString shared = folder(QStringLiteral("shared"));
    const QString local = dir.filePath(QStringLiteral("local/sub")); // created by the take-out
    writeBytes(shared + QStringLiteral("/qmacc.fdb"), "database");
    writeBytes(shared + QStringLiteral("/other.txt"), "not ours");
    TDataInfomation info;
    info.WriteIniFile(shared, QString(), sampleRec());
    info.SetDataStatus(shared, 1);

    ASSERT_EQ(info.KyoyuDataDown(shared, local, 1), 1);
    EXPECT_EQ(bytes(local + QStringLiteral("/qmacc.fdb")), QByteArray("database"));
    EXPECT_FALSE(QFile::exists(local + QStringLiteral("/other.txt")));
    TDataInfomationRec rec;
    info.ReadIni(shared, rec);
    EXPECT_EQ(std::tuple(rec.Status, rec.ShareStatus), std::tuple(quint8(1), quint8(2)));
    info.ReadIni(local, rec);
    EXPECT_EQ(std::tuple(rec.Status, rec.ShareStatus), std::tuple(quint8(1), quint8(2)));

    // Already taken out: the local copy is refreshed, nothing else changes.
    writeBytes(shared + QStringLiteral("/qmacc.fdb"), "newer");
    EXPECT_EQ(info.KyoyuDataDown(shared, local, 1), -1);
    EXPECT_EQ(bytes(local + QStringLiteral("/qmacc.fdb")), QByteArray("newer"));

    // Sent back: both copies in place again.
    writeBytes(local + QStringLiteral("/qmacc.fdb"), "edited");
    ASSERT_EQ(info.KyoyuDataUp(shared, local, 1), 1);
    EXPECT_EQ(bytes(shared + QStringLiteral("/qmacc.fdb")), QByteArray("edited"));
    info.ReadIni(shared, rec);
    EXPECT_EQ(std::tuple(rec.Status, rec.ShareStatus), std::tuple(quint8(1), quint8(1)));
    info.ReadIni(local, rec);
    EXPECT_EQ(rec.ShareStatus, 1);
}

TEST_F(DataInfomationFileTest, KyoyuDataDownRefusesBrokenOrMissingSharedData) {
    const QString shared = folder(QStringLiteral("broken"));
    const QString local = folder(QStringLiteral("copy"));
    TDataInfomation info;
    info.SetDataStatus(shared, 10);
    EXPECT_EQ(info.KyoyuDataDown(shared, local, 1), -1);
    EXPECT_THROW(info.KyoyuDataDown(shared, local, 0), core::Exception);
    EXPECT_FALSE(QFile::exists(ini(local)));

    const QString gone = dir.filePath(QStringLiteral("gone"));
    EXPECT_EQ(info.KyoyuDataDown(gone, local, 1), 0);
    EXPECT_THROW(info.KyoyuDataDown(gone, local, 0), core::Exception);
}

TEST(DataInfomationVersionName, NamedByTheVersionListElseByItsNumbers) {
    TDataInfomation info;
    info.SeihinVersions = {{QStringLiteral("15.0"), QStringLiteral("財務15")},
                           {QStringLiteral("15.0"), QStringLiteral("later entry")},
                           {QStringLiteral("14.2"), QStringLiteral("財務14 R2")},
                           {QStringLiteral("13.1"), QString()}}; // installed without a "Type"
    EXPECT_EQ(info.GetDataVersionName(15, 0), QStringLiteral("財務15"));
    EXPECT_EQ(info.GetDataVersionName(14, 2), QStringLiteral("財務14 R2"));
    EXPECT_EQ(info.GetDataVersionName(5, 2), QStringLiteral("5.2"));
    EXPECT_EQ(info.GetDataVersionName(13, 1), QStringLiteral("13.1"));
}

} // namespace
