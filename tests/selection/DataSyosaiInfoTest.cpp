// The details dialog over copies of a real sample data set: what it offers for each state,
// version and operator, the OK with a blank name, and the lock of the opener's data place.

#include "tests/companydata/RegistryTestFixture.h"

#include "companydata/DataInfomation.h"
#include "controls/edits/TxEdit.h"
#include "core/Globals.h"
#include "selection/DataSyosaiInfoBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace selection;
using schema::sample::SampleKind;

namespace {

class DataSyosaiInfoTest : public registrytest::RegistryTest<DataSyosaiInfoTest> {
protected:
    static void SetUpTestSuite() { createRoot({SampleKind::Ordinary}); }

    // A copy of the sample data set whose information file has the state, operator and version.
    QString dataFolder(const QString& name, int status, qint32 opCode, int verMajor)
    {
        const QString path = folder(name);
        const QDir source(root_->dataFolder(1));
        for (const QString& f : source.entryList(QDir::Files))
            EXPECT_TRUE(QFile::copy(source.filePath(f), path + QLatin1Char('/') + f));
        companydata::TDataInfomation info;
        info.WriteIniValue(path, companydata::kSectionDataSts, false, status, QStringLiteral("STATUS"));
        info.WriteIniValue(path, companydata::kSectionDataSts, false, opCode, QStringLiteral("OPCODE"));
        info.WriteIniValue(path, companydata::kSectionDataInfo, false, QStringLiteral("%1.0.0").arg(verMajor), QStringLiteral("VERSION1"));
        return path;
    }
};

} // namespace

TEST_F(DataSyosaiInfoTest, LayoutByStateOperatorAndVersion)
{
    const qint32 group = core::SystemDef.GROUPID * 10000;
    struct Case {
        const char* name;
        int status;
        qint32 opCode;
        int verMajor;
        int localAdmin;
        bool clear, editable, readOnlyBox, ok;
    };
    const Case cases[] = {
        {"normal", 1, 0, 15, 0, false, true, true, true},
        {"in use by the same operator", 2, core::SystemDef.OPCODE, 15, 0, true, false, false, true},
        {"in use by another operator", 2, group + 99, 15, 0, false, true, true, true},
        {"in use, administrator", 2, group + 99, 15, 1, true, false, false, true},
        {"version 11", 1, 0, 11, 0, false, true, false, true},
        {"broken: neither OK nor the clear", 10, core::SystemDef.OPCODE, 15, 0, true, false, false, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        core::SystemDef.LocalAdmin = c.localAdmin;
        const QString path = dataFolder(QStringLiteral("d%1").arg(++n), c.status, c.opCode, c.verMajor);
        TDataSyosaiInfoBox box;
        box.DataRec.Shougou = QStringLiteral("株式会社みなと商事");
        box.DataPath = path;
        box.ListName = QStringLiteral("みなと");
        box.Prepare(1);
        EXPECT_EQ(box.ClearAllowed, c.clear) << c.name;
        EXPECT_EQ(!box.cboxStatusClear->isHidden(), c.clear && c.status != 10) << c.name;
        EXPECT_EQ(box.NameEditable != 0, c.editable) << c.name;
        EXPECT_EQ(box.cboxDataReadOnly->isEnabled(), c.readOnlyBox) << c.name;
        EXPECT_EQ(!box.btnOK->isHidden(), c.ok) << c.name;
        EXPECT_EQ(box.lblStatus->text(), companydata::GetDataStatusName(c.status)) << c.name;
        EXPECT_EQ(box.FKeys[6]->text(), QStringLiteral("F7:再構築")) << c.name;
    }
    core::SystemDef.LocalAdmin = 0;

    // A composition in the name edit withdraws F7; no database file: nothing is set.
    TDataSyosaiInfoBox box;
    bool composing = true;
    box.ImeComposing = [&] { return composing; };
    box.DataRec.Shougou = QStringLiteral("株式会社みなと商事");
    box.DataPath = folder(QStringLiteral("empty"));
    box.Prepare(1);
    EXPECT_EQ(box.FKeys[6]->text(), QStringLiteral("F7:"));
    EXPECT_EQ(box.lblCode->text(), QStringLiteral("設定なし"));
    EXPECT_TRUE(box.btnOK->isHidden());
}

TEST_F(DataSyosaiInfoTest, BlankNameAsksAndNameIsLimitedTo40Bytes)
{
    TDataSyosaiInfoBox box;
    QStringList asked;
    box.ShowBox2 = [&](controls::TMessage2InfoRec& info) {
        asked << info.Lines[0].Text;
        return int(core::mrOk);
    };
    box.DataRec.Shougou = QStringLiteral("株式会社みなと商事");
    box.DataPath = dataFolder(QStringLiteral("n"), 1, 0, 15);
    box.ListName = QStringLiteral("みなと");
    box.Prepare(1);
    EXPECT_EQ(box.txtListName->MaxLength(), 40);
    box.txtListName->setText(QStringLiteral("　 "));
    box.btnOKClick();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked.first(), QStringLiteral("データリスト名が入力されていません。会社名を設定しますか？"));
    EXPECT_EQ(box.result(), 0);
    EXPECT_EQ(box.txtListName->text(), box.lblShougou->text());
    box.cboxDataUpdateLock->setChecked(true);
    box.btnOKClick();
    EXPECT_EQ(box.result(), int(core::mrOk));
    EXPECT_EQ(box.UpdateLock, 1);
    EXPECT_EQ(box.ListName, box.lblShougou->text());
}

// The lock changes the row of the opener's data place only, not the same REC elsewhere.
TEST_F(DataSyosaiInfoTest, LockTouchesOnlyTheRowOfTheDataPlace)
{
    const int group = core::SystemDef.GROUPID;
    run({QStringLiteral("DELETE FROM DATAPLACEMAN WHERE REC=3"),
         QStringLiteral("INSERT INTO DATAPLACEMAN(REC,NAME,PATH) VALUES(3,'場所3','/p3')"),
         QStringLiteral("INSERT INTO DATALIST_EX(DATAPLACEREC,REC,GROUPID,ENTTEXT,PASNAME) VALUES(3,901,%1,'x','/p3/1')").arg(group),
         QStringLiteral("DELETE FROM DATALIST WHERE REC=901"),
         QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,ENTTEXT,PASNAME) VALUES(901,%1,'y','/d/1')").arg(group)});
    core::ConnectMode = 1;
    TDataSyosaiInfoBox box;
    box.DataRec.Rec = 901;
    box.DataPlaceRec = 3;
    box.LockData(true);
    core::ConnectMode = 0;
    const QString login = QString::number(core::SystemDef.OPCODE % (group * 10000));
    EXPECT_EQ(rows(QStringLiteral("SELECT DATALOCK FROM DATALIST_EX WHERE REC=901")), QStringList{login});
    EXPECT_EQ(rows(QStringLiteral("SELECT DATALOCK FROM DATALIST WHERE REC=901")), QStringList{QStringLiteral("0")});
    core::ConnectMode = 1;
    box.LockData(false);
    core::ConnectMode = 0;
    EXPECT_EQ(rows(QStringLiteral("SELECT DATALOCK FROM DATALIST_EX WHERE REC=901")), QStringList{QStringLiteral("0")});
    run({QStringLiteral("DELETE FROM DATAPLACEMAN WHERE REC=3"), QStringLiteral("DELETE FROM DATALIST WHERE REC=901")});
}
