// The data-selection module: its parameters, registration, the choice of a row with F12 and
// the close handshake, on a registry fixture whose data folders are temporary folders.

#include "tests/companydata/RegistryTestFixture.h"

#include "controls/grid/TxGrid.h"
#include "core/Exception.h"
#include "core/modules/ModuleRegistry.h"
#include "selection/DataSentakuBox.h"

#include <QPushButton>

#include <gtest/gtest.h>

using namespace selection;

TEST(DataSentakuParams, Table)
{
    // The wizard's real launch lines.
    const QStringList wizard = core::ModuleLaunchParams(
        QStringLiteral("SyoriType=3\r\nJyokenSet=1\r\nDataType=-13\r\nCodeType=0\r\nDataVerMajor=15"), true);
    TDataSentakuParams p = ReadDataSentakuParams(wizard);
    EXPECT_EQ(p.SyoriType, 3);
    EXPECT_EQ(p.FormStyle, fsNormal);
    EXPECT_TRUE(p.JyokenSet);
    EXPECT_EQ(p.Kensaku.JYOKENUSE, 1);
    EXPECT_EQ(p.Kensaku.DATATYPE, -13);
    EXPECT_EQ(p.Kensaku.DATAVER, QStringLiteral("15"));
    EXPECT_EQ(p.Kensaku.VersionMode, kVersionMajor);

    struct Case {
        QStringList lines;
        int syori, style, mode;
        QString ver;
    } cases[] = {
        {{"SyoriType=x"}, 0, fsMdiChild, kVersionEqual, ""},
        {{"SyoriType=-1", "FormStyle=1"}, 0, fsMdiForm, kVersionEqual, ""},
        {{"SyoriType=4", "FormStyle=7"}, 4, fsStayOnTop, kVersionEqual, ""},
        {{"JyokenSet=", "DataVer=11.0", "DataVerMajor=15"}, 0, fsMdiChild, kVersionMajor, "15"},
        {{"JyokenSet=1", "DataVerMore=12.1"}, 0, fsMdiChild, kVersionAtLeast, "12.1"},
        {{"DataVer=11.0"}, 0, fsMdiChild, kVersionEqual, ""}, // no JyokenSet: no condition
        {{"syoritype=2"}, 0, fsMdiChild, kVersionEqual, ""},  // keys are case-sensitive
    };
    for (const Case& c : cases) {
        const TDataSentakuParams r = ReadDataSentakuParams(c.lines);
        EXPECT_EQ(r.SyoriType, c.syori) << c.lines.join(u',').toStdString();
        EXPECT_EQ(r.FormStyle, c.style) << c.lines.join(u',').toStdString();
        EXPECT_EQ(r.Kensaku.VersionMode, c.mode) << c.lines.join(u',').toStdString();
        EXPECT_EQ(r.Kensaku.DATAVER, c.ver) << c.lines.join(u',').toStdString();
    }
    EXPECT_THROW(ReadDataSentakuParams({QStringLiteral("SyoriType=6")}), core::Exception);
    p = ReadDataSentakuParams({"SyoriType=5", "OnlySA_Syori=Restore", "OnlySA_BackupPath=/w"});
    EXPECT_EQ(p.OnlySAMode, 1);
    EXPECT_EQ(p.OnlySABackupPath, QStringLiteral("/w"));
    p = ReadDataSentakuParams({"SyoriType=4", "OnlySA_Syori=Restore", "OnlySA_BackupPath=/w"});
    EXPECT_EQ(p.OnlySAMode, 0);
    EXPECT_TRUE(p.OnlySABackupPath.isEmpty());
}

TEST(DataSentakuModule, RegisteredOnce)
{
    RegisterDataSentakuModule();
    const qsizetype count = core::ModuleRegistry().count();
    RegisterDataSentakuModule();
    EXPECT_EQ(core::ModuleRegistry().count(), count);
    EXPECT_NE(core::ModuleRegistry().find(QStringLiteral("vxdatasenkaku")), nullptr);
}

namespace {

constexpr int kGroup = 20014;

class DataSentakuBoxTest : public registrytest::RegistryTest<DataSentakuBoxTest> {
protected:
    static void SetUpTestSuite() { createRoot({}); }

    void SetUp() override
    {
        registrytest::RegistryTest<DataSentakuBoxTest>::SetUp();
        if (HasFatalFailure())
            return;
        core::SystemDef.GROUPID = kGroup;
        core::SystemDef.DataFolder.clear();
        core::SystemDef.AppName = QStringLiteral("ヂル連動コンポーネント");
        run({QStringLiteral("DELETE FROM DATALIST WHERE GROUPID=%1").arg(kGroup)});
        // 2001 data, 2002 update-locked and old, 2003 an empty folder, 2004 data type 2.
        addRow(2001, "A1", 1, QStringLiteral("15.1.0"), 0, true);
        addRow(2002, "A2", 1, QStringLiteral("14.0.0"), 1, true);
        addRow(2003, "A3", 1, QStringLiteral("15.1.0"), 0, false);
        addRow(2004, "A4", 2, QStringLiteral("15.1.0"), 0, true);
    }

    QString folder(int rec) const { return work.path() + QStringLiteral("/%1").arg(rec); }

    void addRow(int rec, const char* code, int type, const QString& ver, int lock, bool withData)
    {
        QDir().mkpath(folder(rec));
        if (withData) {
            QFile f(folder(rec) + QStringLiteral("/qmacc.fdb"));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            // The stand-in database cannot be opened: its information file says it is normal.
            QFile ini(folder(rec) + QStringLiteral("/qmacc.ini"));
            ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
            ini.write("[DATASTS]\r\nSTATUS=1\r\n");
        }
        const QStringList v = ver.split(u'.');
        run({QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,DATACODE,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,"
                            "CODETYPE,NENDO,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,UPDATE_LOCK) "
                            "VALUES(%1,%2,'%3','名%1','名%1','%4',0,%5,1,2024,%6,%7,%8,'%9',%10)")
                 .arg(rec).arg(kGroup).arg(QString::fromLatin1(code), folder(rec)).arg(type)
                 .arg(v[0], v[1], v[2], ver).arg(lock)});
    }

    // A box ready as after RunModule's Prepare; kept by the test (ManualFree).
    std::unique_ptr<TDataSentakuBox> open(const QString& lines)
    {
        auto box = std::make_unique<TDataSentakuBox>();
        box->SetModuleParams(core::ModuleLaunchParams(lines + QStringLiteral("\r\nManualFree=1"), true));
        box->ShowBox2 = [this](controls::TMessage2InfoRec& info) {
            boxes << info;
            const int answer = box2Answers.empty() ? core::mrOk : box2Answers.front();
            if (!box2Answers.empty())
                box2Answers.pop_front();
            return answer;
        };
        box->Prepare(1);
        return box;
    }
    int rowOf(TDataSentakuBox& box, int rec)
    {
        for (int r = 0; r < box.Grid->RowCount(); ++r)
            if (box.Grid->RowValue(r) == rec)
                return r;
        return -1;
    }

    QList<controls::TMessage2InfoRec> boxes;
    std::deque<int> box2Answers;
};

} // namespace

TEST_F(DataSentakuBoxTest, WizardChoosesADataSet)
{
    auto box = open(QStringLiteral("SyoriType=3\r\nJyokenSet=1\r\nDataType=-13\r\nCodeType=0\r\nDataVerMajor=15"));
    EXPECT_EQ(box->FormStyle, fsNormal);
    // Type 1 at 15.x only; the type-2 row and the 14.0.0 row are not listed.
    EXPECT_EQ(rowOf(*box, 2004), -1);
    EXPECT_EQ(rowOf(*box, 2002), -1);
    ASSERT_GE(rowOf(*box, 2001), 0);
    // Only Esc and F12 carry a function.
    EXPECT_EQ(box->Keys[fkEsc]->text(), QStringLiteral("ESC:ｷｬﾝｾﾙ"));
    EXPECT_EQ(box->Keys[fkF5]->text(), QStringLiteral("F5:"));
    EXPECT_EQ(box->Keys[fkF12]->text(), QStringLiteral("F12:選択"));
    // In the wizard's type the search buttons are disabled.
    EXPECT_FALSE(box->btnSearchCancel->isEnabled());
    box->Grid->SetRow(rowOf(*box, 2001));
    box->F12Click();
    EXPECT_EQ(box->result(), core::mrOk);
    EXPECT_EQ(core::SystemDef.DataFolder, folder(2001));
    EXPECT_EQ(core::SystemDef.DataListFolder, folder(2001));
}

TEST_F(DataSentakuBoxTest, UpdateLockedOldRowRefusedInTypes0And1)
{
    for (int type : {0, 1}) {
        auto box = open(QStringLiteral("SyoriType=%1").arg(type));
        const int row = rowOf(*box, 2002);
        ASSERT_GE(row, 0);
        EXPECT_EQ(box->Grid->RowForeColor(row), QColor::fromRgb(kMarkedTextRgb));
        box->Grid->SetRow(row);
        boxes.clear();
        box->F12Click();
        EXPECT_EQ(box->result(), 0) << type;
        ASSERT_EQ(boxes.size(), 1) << type;
        EXPECT_EQ(boxes.first().MsgNo, 4113);
        EXPECT_TRUE(core::SystemDef.DataFolder.isEmpty());
    }
    // The wizard (type 3) may choose it.
    auto box = open(QStringLiteral("SyoriType=3"));
    box->Grid->SetRow(rowOf(*box, 2002));
    box->F12Click();
    EXPECT_EQ(box->result(), core::mrOk);
}

TEST_F(DataSentakuBoxTest, EmptyFolderOffersNewDataAndCheckDataFolderCodes)
{
    auto box = open(QStringLiteral("SyoriType=0"));
    EXPECT_EQ(box->CheckDataFolder(folder(2001)), 1);
    EXPECT_EQ(box->CheckDataFolder(QStringLiteral("　") + folder(2003) + QStringLiteral(" ")), 0);
    EXPECT_THROW(box->CheckDataFolder(QStringLiteral(" 　")), core::Exception);
    box->CheckDataState = [](const QString&, int) { return false; };
    EXPECT_EQ(box->CheckDataFolder(folder(2001)), -1);
    core::SystemDef.DataCheck = 1;
    EXPECT_EQ(box->CheckDataFolder(folder(2001)), -3);
    core::SystemDef.DataCheck = 0;
    box->CheckDataState = [](const QString&, int) { return true; };

    messages.answers = {core::mrNo};
    box->Grid->SetRow(rowOf(*box, 2003));
    box->F12Click();
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages.first().text, QStringLiteral("選択したパスにはデータが存在しません。\r新規にデータを作成しますか？"));
    EXPECT_EQ(box->result(), 0);

    // Search-cancel shows every row again.
    box->List.Conditions.DATACODE = QStringLiteral("A1");
    box->List.ApplySearch();
    EXPECT_EQ(box->List.DispIndex.size(), 1);
    box->SearchCancelClick();
    EXPECT_EQ(box->List.DispIndex.size(), box->List.Records.size());
    EXPECT_FALSE(box->btnSearchCancel->isEnabled());

    auto type3 = open(QStringLiteral("SyoriType=3"));
    EXPECT_EQ(type3->CheckDataFolder(QString()), -2);
}

TEST_F(DataSentakuBoxTest, ReselectionAcceptsOnlyAnEmptyRow)
{
    core::SystemDef.DataFolder = folder(2001);
    core::SystemDef.DataListFolder = folder(2001);
    auto box = open(QStringLiteral("SyoriType=4"));
    box->Grid->SetRow(rowOf(*box, 2004));
    box->F12Click();
    EXPECT_EQ(box->result(), 0);
    EXPECT_EQ(messages.messages.last().text, QStringLiteral("選択したパスには既にデータが存在します。\r他の場所を選んで下さい。"));
    box->Grid->SetRow(rowOf(*box, 2003));
    box->F12Click();
    EXPECT_EQ(box->result(), core::mrOk);
    EXPECT_EQ(core::SystemDef.SelectionMessage,
              QStringLiteral("PATH1=%1\rPATH2=%1").arg(folder(2003)));
}

// The close handshake: (type, Esc pressed, previous folder, answer to the end question) →
// (closes, result, current folder afterwards).
TEST_F(DataSentakuBoxTest, CloseHandshake)
{
    struct Case {
        const char* name;
        int type;
        bool esc;
        int previous; // rec of the previous data set, 0 none, -1 a deleted one
        int answer;
        bool closes;
        int result;
        QString current;
    };
    const Case cases[] = {
        {"type 1 close box, OK ends the application", 1, false, 2001, core::mrOk, true, 3, folder(2001)},
        {"type 1 close box, Cancel stays", 1, false, 2001, core::mrCancel, false, 0, folder(2001)},
        {"type 1 Esc re-checks the previous data set", 1, true, 2001, 0, true, 2, folder(2001)},
        {"type 1 Esc without a previous data set stays", 1, true, 0, 0, false, 0, QString()},
        {"type 1 Esc with the previous data set deleted stays", 1, true, -1, 0, false, 0, QString()},
        {"type 3 cancel makes the previous data set current", 3, false, 2001, 0, true, 2, folder(2001)},
        {"type 3 cancel without a previous data set", 3, true, 0, 0, true, 2, QString()},
        {"type 0 cancel", 0, true, 0, 0, true, 2, QString()},
    };
    for (const Case& c : cases) {
        const QString previous = c.previous > 0 ? folder(c.previous)
            : c.previous < 0 ? work.path() + QStringLiteral("/gone") : QString();
        core::SystemDef.DataFolder = previous;
        auto box = open(QStringLiteral("SyoriType=%1").arg(c.type));
        core::SystemDef.DataFolder = QStringLiteral("/changed");
        box->EscPressed = c.esc;
        if (c.answer)
            box2Answers = {c.answer};
        messages.messages.clear();
        int result = core::mrCancel;
        const bool closes = box->FormCloseQuery(result);
        EXPECT_EQ(closes, c.closes) << c.name;
        EXPECT_EQ(result, c.result) << c.name;
        if (c.type == 1 && !c.esc) {
            EXPECT_EQ(boxes.last().Lines[0].Text, QStringLiteral("ヂル連動コンポーネントを終了します。よろしいですか？")) << c.name;
        } else if (c.type != 0) {
            EXPECT_EQ(core::SystemDef.DataFolder, c.current.isEmpty() ? QStringLiteral("/changed") : c.current) << c.name;
        }
        if (!closes) {
            EXPECT_FALSE(box->EscPressed) << c.name;
        }
    }
}

// The lock column: the owner is recognised by the session's login code and can unlock; a lock
// of another operator is refused with the detail box.
TEST_F(DataSentakuBoxTest, DataLockColumnInClientServerMode)
{
    core::ConnectMode = 1;
    core::SystemDef.OPCODE = kGroup * 10000 + 10; // login code 10
    run({QStringLiteral("UPDATE DATALIST SET DATALOCK=10 WHERE REC=2001"),
         QStringLiteral("UPDATE DATALIST SET DATALOCK=11 WHERE REC=2004")});
    core::SystemDef.ServerDataPlace = 999; // gone: the standard place is taken
    auto box = open(QStringLiteral("SyoriType=0"));
    EXPECT_EQ(box->DataPlaceNo, 0);
    QList<int> written;
    QList<controls::TMessageInfoRec> details;
    box->ReadDataState = [](const QString&) { return 3; };
    box->SetDataStatus = [&written](const QString&, int state) {
        written << state;
        return true;
    };
    box->ShowDetailBox = [&details](const controls::TMessageInfoRec& info) {
        details << info;
        return int(core::mrOk);
    };
    const auto lockOf = [this](int rec) {
        return rows(QStringLiteral("SELECT DATALOCK FROM DATALIST WHERE REC=%1").arg(rec)).value(0).trimmed();
    };
    box->DataLockClick(rowOf(*box, 2001));
    EXPECT_EQ(written, QList<int>{1});
    EXPECT_EQ(lockOf(2001), QStringLiteral("0"));
    EXPECT_EQ(box->Grid->CellInt(colLock, rowOf(*box, 2001)), 0);

    box->ReadDataState = [](const QString&) { return 1; };
    box->DataLockClick(rowOf(*box, 2001));
    EXPECT_EQ(lockOf(2001), QStringLiteral("10"));

    box->ReadDataState = [](const QString&) { return 3; };
    box->DataLockClick(rowOf(*box, 2004));
    ASSERT_EQ(details.size(), 1);
    EXPECT_EQ(details.first().Caption, QStringLiteral("ロックデータの状態"));
    EXPECT_EQ(lockOf(2004), QStringLiteral("11"));
    core::ConnectMode = 0;
}
