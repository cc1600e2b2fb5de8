// The operator's settings in the system database (SYSDEF and SYSREG), the switch words, the
// logon record, the menu control and the operator's facilities in the company database.
#include "SysDefTestSupport.h"

#include "core/Currency.h"
#include "core/EIBError.h"
#include "core/Exception.h"
#include "core/settings/SysDefBits.h"
#include "core/settings/SysReg.h"

#include <QDate>

namespace {

using core::SystemDef;
using sysdeftest::SysDefFixture;

const QString kPutSysDefFailed =
    QStringLiteral("システム情報の書き込みに失敗しました。\r現在のシステム設定は保存されません。");

const QStringList kDictionaryItems{
    QStringLiteral("摘要＿辞書開く区分"),   QStringLiteral("摘要＿連想開く区分"),   QStringLiteral("摘要＿自動開く区分"),
    QStringLiteral("摘要＿入力なし区分"),   QStringLiteral("取引先＿辞書開く区分"), QStringLiteral("取引先＿連想開く区分"),
    QStringLiteral("取引先＿自動開く区分"), QStringLiteral("取引先＿入力なし区分")};

QList<int> dictionarySwitches(const core::TSystemDef& def) {
    return {def.TekiyoDicOpen,   def.TekiyoAssocOpen,   def.TekiyoAutoOpen,   def.TekiyoNoInput,
            def.TorihikiDicOpen, def.TorihikiAssocOpen, def.TorihikiAutoOpen, def.TorihikiNoInput};
}

// ---- Switch words ----

TEST(SysDefBitsTest, Switch5TakesTwoBits) {
    struct Case {
        qint32 bits;   // bits 5 and 6 of Reserve4
        qint32 value;  // switch 5
    };
    for (const Case& c : {Case{0, 0}, Case{0x10, 1}, Case{0x20, 2}}) {
        SCOPED_TRACE(c.value);
        core::TSystemDef def;
        def.Reserve4 = c.bits;
        core::UnpackSysDefSwitches(def);
        EXPECT_EQ(def.Reserve4Switch5, c.value);
        EXPECT_EQ(core::PackReserve4(0x30, def), c.bits) << "both bits are replaced";
    }
}

TEST(SysDefBitsTest, UnpackThenPackKeepsUnknownBits) {
    // High bits belong to other programs that share the row; the known bits hold a mix.
    for (const qint32 stored : {qint32(0x7FFFF800) | 0x2A5, qint32(0xFFFFF800) | 0x75A, qint32(0x00100000) | 0x200}) {
        SCOPED_TRACE(stored);
        core::TSystemDef def;
        def.Reserve4 = stored;
        def.Reserve2 = stored | 0x3;
        core::UnpackSysDefSwitches(def);
        EXPECT_EQ(core::PackReserve4(stored, def), stored);
        EXPECT_EQ(core::PackReserve2(stored | 0x3, def), stored | 0x3);

        def.Reserve4Switch9 = def.Reserve4Switch9 ? 0 : 1; // the era display switch, bit 10
        EXPECT_EQ(core::PackReserve4(stored, def), stored ^ 0x200);
    }
}

// ---- Loading and saving the operator's settings ----

class SysDefTest : public SysDefFixture {};

TEST_F(SysDefTest, FirstLoginInsertsDefaultRowAndItems) {
    struct Edition {
        quint8 flag;
        QString dicSwitches;           // DICSWITCH, DicTekAuto, DicTorAuto
        QList<int> storedDictionary;   // the eight dictionary items as written
        QString oemItem;               // 次項目移動区分 as stored
        int nextFieldMove, bumonDigits, dateFocus, ledgerLastBalance, trialTotalOut, ledgerTitleOut, bsPageBreak;
    };
    const Edition editions[] = {
        {0, QStringLiteral("0,1,1"), {1, 0, 1, 0, 1, 0, 1, 0}, QStringLiteral("<no row>"), 0, 0, 2, 0, 0, 0, 1},
        {1, QStringLiteral("2,2,0"), {0, 1, 1, 0, 1, 0, 0, 0}, QStringLiteral("1"), 1, 1, 1, 1, 1, 1, 0},
    };
    for (const Edition& e : editions) {
        SCOPED_TRACE(e.flag);
        execSystem({QStringLiteral("DELETE FROM SYSDEF"), QStringLiteral("DELETE FROM SYSREG")});
        core::EditionFlag = e.flag;
        SystemDef.HostMenuState = 1;

        ASSERT_TRUE(dm.fnGetSysDef()) << messages.texts().join(u'\n').toStdString();
        EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());

        const QStringList colours{QStringLiteral("COLHEADERCOLOR"), QStringLiteral("COLHEADERGRADCOLOR1"),
                                  QStringLiteral("COLHEADERGRADCOLOR2"), QStringLiteral("CLIENTCOLOR"),
                                  QStringLiteral("CLIENTCOLOR1"),   QStringLiteral("CLIENTCOLOR2"),
                                  QStringLiteral("TOTALCOLOR"),     QStringLiteral("ACTIVECOLOR")};
        const QStringList expectedColours{"14408667", "16777215", "14408667", "16777215",
                                          "16777215", "14807295", "9357311",  "2386943"};
        for (int i = 0; i < colours.size(); ++i)
            EXPECT_EQ(storedSysDef(colours[i]), expectedColours[i]) << colours[i].toStdString();
        EXPECT_EQ(storedSysDef(QStringLiteral("NETCOLOR1||','||NETCOLOR2||','||PLINECOLOR1||','||PLINECOLOR2")),
                  QStringLiteral("14155735,14155735,30976,30976"));
        EXPECT_EQ(storedSysDef(QStringLiteral("SANKAKUPLUS")), QStringLiteral("1"));
        EXPECT_EQ(storedSysDef(QStringLiteral("DICSWITCH||','||DICTEKAUTO||','||DICTORAUTO")), e.dicSwitches);

        // The row is read back; the dictionary items give what was written, not the read defaults.
        EXPECT_EQ(SystemDef.ColHeaderColor, 0xDBDBDB);
        EXPECT_EQ(SystemDef.ActiveColor, 0x246BFF);
        EXPECT_EQ(SystemDef.SankakuPlus, 1);
        EXPECT_EQ(SystemDef.HostMenuState, 0);
        QList<int> storedDictionary;
        for (const QString& item : kDictionaryItems)
            storedDictionary << storedSysReg(item).toInt();
        EXPECT_EQ(storedDictionary, e.storedDictionary);
        EXPECT_EQ(dictionarySwitches(SystemDef), e.storedDictionary);

        EXPECT_EQ(storedSysReg(QStringLiteral("次項目移動区分")), e.oemItem);
        EXPECT_EQ(SystemDef.NextFieldMove, e.nextFieldMove);
        EXPECT_EQ(SystemDef.BumonDigits, e.bumonDigits);
        EXPECT_EQ(SystemDef.DateFocus, e.dateFocus);
        EXPECT_EQ(SystemDef.Reserve4Switch6, e.ledgerLastBalance);
        EXPECT_EQ(SystemDef.TrialTotalOut, e.trialTotalOut);
        EXPECT_EQ(SystemDef.LedgerTitleOut, e.ledgerTitleOut);
        EXPECT_EQ(SystemDef.BsPageBreak, e.bsPageBreak);
        EXPECT_EQ(SystemDef.TaxCodePrint, 1);
        EXPECT_EQ(SystemDef.TrialTitle, QStringLiteral("試　算　表"));
        EXPECT_EQ(SystemDef.SgaTitles[1], QStringLiteral("販売費・一般管理費"));
        EXPECT_EQ(storedSysReg(QStringLiteral("定形A4販売費タイトル")), QStringLiteral("販売費・一般管理費"));
        EXPECT_TRUE(SystemDef.BsTitles[1].isEmpty());
        EXPECT_EQ(SystemDef.MakeTotalRow, 1);
        // The data-damage check is the group's.
        EXPECT_EQ(storedSysReg(QStringLiteral("データ破損チェック区"), kGroup * 10000 + 9999), QStringLiteral("1"));
        EXPECT_EQ(storedSysReg(QStringLiteral("データ破損チェック区")), QStringLiteral("<no row>"));
        EXPECT_EQ(SystemDef.DataCheck, 1);
    }
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_F(SysDefTest, LoginReadsStoredRowOfficeVersionAndFont) {
    execSystem({
        QStringLiteral("INSERT INTO SYSDEF(OPCODE,DATADIR,FONTNAME,FONTSIZE,FONTSTYLE,FONTCHARSET,COLHEADERGRADCOLOR1,"
                       "COLHEADERGRADCOLOR2,RESERVE2,RESERVE4) VALUES(%1,'/srv/data/0003','Test Sans',12,3,128,0,0,2,528)")
            .arg(kOpcode),
        QStringLiteral("INSERT INTO SYSTEMINI(REC,RESERVE1,RESERVE2,RESERVE3,SSTR) "
                       "VALUES(10,1,2,3,'NAME=山田会計' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'tel=03-1234')"),
        QStringLiteral("INSERT INTO SYSTEMINI(REC,RESERVE1) VALUES(20,1)"),
        QStringLiteral("INSERT INTO VERSION(REC,MAJOR,MINOR1,MINOR2) VALUES(1,5,1,2)"),
        QStringLiteral("INSERT INTO VERSION(REC,MAJOR,MINOR1,MINOR2) VALUES(2,3,9,9)"),
    });
    dm.ScreenFontFamilies = [] { return QStringList{QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Test Sans")}; };

    ASSERT_TRUE(dm.fnGetSysDef()) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(SystemDef.DataFolder, QStringLiteral("/srv/data/0003"));
    EXPECT_EQ(SystemDef.ColHeaderGradColor1, 0xFFFFFF);
    EXPECT_EQ(SystemDef.ColHeaderGradColor2, 0xBBBBBB);
    EXPECT_EQ(SystemDef.Reserve2Switch1, 0);
    EXPECT_EQ(SystemDef.Reserve2Switch2, 1);
    EXPECT_EQ(SystemDef.Reserve4Switch5, 1);  // bit 5
    EXPECT_EQ(SystemDef.Reserve4Switch9, 1);  // bit 10
    EXPECT_EQ(SystemDef.OfficeName, QStringLiteral("山田会計"));
    EXPECT_EQ(SystemDef.OfficeTel, QStringLiteral("03-1234"));
    EXPECT_EQ(SystemDef.OfficeAddress, QString());
    EXPECT_EQ(SystemDef.OfficeValue3, 3);
    EXPECT_EQ(SystemDef.LocalAdmin, 1);
    EXPECT_EQ(SystemDef.SysDbMajor * 10000 + SystemDef.SysDbMinor1 * 100 + SystemDef.SysDbMinor2, 50102);
    EXPECT_EQ(SystemDef.BaseFont.Name, QStringLiteral("Test Sans"));
    EXPECT_EQ(SystemDef.BaseFont.Size, 12);
    EXPECT_EQ(SystemDef.BaseFont.Style, 3);
    EXPECT_EQ(SystemDef.BaseFont.CharSet, 128);

    // A font that is not installed leaves BaseFont as it was.
    execSystem({QStringLiteral("UPDATE SYSDEF SET FONTNAME='Gone Mincho',FONTSIZE=20")});
    ASSERT_TRUE(dm.fnGetSysDef());
    EXPECT_EQ(SystemDef.FontName, QStringLiteral("Gone Mincho"));
    EXPECT_EQ(SystemDef.BaseFont.Name, QStringLiteral("Test Sans"));
    EXPECT_EQ(SystemDef.BaseFont.Size, 12);
}

TEST_F(SysDefTest, SaveKeepsWhatOtherProgramsStoreInTheRow) {
    execSystem({QStringLiteral("INSERT INTO SYSDEF(OPCODE,SHOUHYOU,RESERVE2,RESERVE4) VALUES(%1,7,%2,%3)")
                    .arg(kOpcode)
                    .arg(0x40 | 1)
                    .arg(0x00100000 | 0x200)});
    ASSERT_TRUE(dm.fnGetSysDef()) << messages.texts().join(u'\n').toStdString();
    ASSERT_EQ(SystemDef.Reserve4Switch9, 1);
    ASSERT_EQ(SystemDef.Reserve2Switch1, 1);
    // Another program sets a bit of its own while this one runs.
    execSystem({QStringLiteral("UPDATE SYSDEF SET RESERVE4=%1").arg(0x00300000 | 0x200)});

    SystemDef.Reserve4Switch9 = 0;
    SystemDef.Reserve4Switch5 = 2;
    SystemDef.Reserve2Switch1 = 0;
    SystemDef.Reserve2Switch2 = 1;
    SystemDef.FontSize = 14;
    SystemDef.DataFolder = QStringLiteral("/srv/data/0007");
    SystemDef.TrialTitle = QStringLiteral("月次試算表");
    SystemDef.TrialTotalOut = 1;
    ASSERT_TRUE(dm.fnPutSysDef()) << messages.texts().join(u'\n').toStdString();
    EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());

    EXPECT_EQ(storedSysDef(QStringLiteral("RESERVE4")), QString::number(0x00300000 | 0x20));
    EXPECT_EQ(storedSysDef(QStringLiteral("RESERVE2")), QString::number(0x40 | 2));
    EXPECT_EQ(storedSysDef(QStringLiteral("SHOUHYOU")), QStringLiteral("7"));
    EXPECT_EQ(storedSysDef(QStringLiteral("FONTSIZE")), QStringLiteral("14"));
    EXPECT_EQ(storedSysDef(QStringLiteral("DATADIR")), QStringLiteral("/srv/data/0007"));
    EXPECT_EQ(storedSysReg(QStringLiteral("試算表タイトル")), QStringLiteral("月次試算表"));
    EXPECT_EQ(storedSysReg(QStringLiteral("試算表集計出力区分")), QStringLiteral("1"));

    // Loading again gives what was saved.
    ASSERT_TRUE(dm.fnGetSysDef());
    EXPECT_EQ(SystemDef.Reserve4Switch5, 2);
    EXPECT_EQ(SystemDef.Reserve4Switch9, 0);
    EXPECT_EQ(SystemDef.TrialTitle, QStringLiteral("月次試算表"));
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_F(SysDefTest, FailingItemWriteSavesNothing) {
    ASSERT_TRUE(dm.fnGetSysDef()) << messages.texts().join(u'\n').toStdString();
    SystemDef.FontSize = 99;
    SystemDef.Reserve4Switch9 = 1;
    SystemDef.TrialTotalOut = 1;                          // written before the titles
    SystemDef.TrialTitle = QStringLiteral("試算表①");    // the database cannot hold ①

    EXPECT_FALSE(dm.fnPutSysDef());
    EXPECT_EQ(messages.texts(), QStringList{kPutSysDefFailed});
    EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());
    EXPECT_EQ(storedSysDef(QStringLiteral("FONTSIZE")), QStringLiteral("0"));
    EXPECT_EQ(storedSysDef(QStringLiteral("RESERVE4")), QStringLiteral("0"));
    EXPECT_EQ(storedSysReg(QStringLiteral("試算表集計出力区分")), QStringLiteral("0"));
    EXPECT_EQ(storedSysReg(QStringLiteral("試算表タイトル")), QStringLiteral("試　算　表"));
}

// ---- The SYSREG store ----

TEST_F(SysDefTest, SysRegValuesByType) {
    struct Case {
        QString type;
        QVariant value;
        QString storedText;
        QVariant read;
    };
    const Case cases[] = {
        {QStringLiteral("論理"), true, QStringLiteral("TRUE"), true},
        {QStringLiteral("論理"), false, QStringLiteral("FALSE"), false},
        {QStringLiteral("日付"), QDate(2024, 3, 31), QStringLiteral("2024/03/31"), QDate(2024, 3, 31)},
        {QStringLiteral("日付"), QDate(), QString(), QDate()},
        {QStringLiteral("整数"), -42, QStringLiteral("-42"), -42},
        {QStringLiteral("金額"), QVariant::fromValue(core::Currency::fromInt(1200)), QStringLiteral("1200"),
         QVariant::fromValue(core::Currency::fromInt(1200))},
        {QStringLiteral("文字"), QStringLiteral("ａｂ"), QStringLiteral("ａｂ"), QStringLiteral("ａｂ")},
        {QStringLiteral("文字"), QString(), QString(), QStringLiteral(" ")},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString item = QStringLiteral("項目%1").arg(++n);
        SCOPED_TRACE(item.toStdString() + " " + c.type.toStdString());
        ASSERT_TRUE(core::funcPutSysReg(item, c.type, kOpcode, c.value));
        EXPECT_EQ(storedSysReg(item), c.storedText);
        EXPECT_EQ(stored(QStringLiteral("SELECT STYPE FROM SYSREG WHERE SCODE='%1'").arg(item)), c.type);
        EXPECT_EQ(core::funcGetSysReg(item, c.type, kOpcode, QStringLiteral("9")), c.read);
    }

    // Texts another program stored: only "TRUE" is true, a bad number reads 0.
    execSystem({QStringLiteral("INSERT INTO SYSREG VALUES(%1,'小文字','論理','true')").arg(kOpcode),
                QStringLiteral("INSERT INTO SYSREG VALUES(%1,'数字','整数','abc')").arg(kOpcode)});
    EXPECT_EQ(core::funcGetSysReg(QStringLiteral("小文字"), QStringLiteral("論理"), kOpcode, QString()), false);
    EXPECT_EQ(core::funcGetSysReg(QStringLiteral("数字"), QStringLiteral("整数"), kOpcode, QString()), 0);
    // A missing item is inserted with its type and default; an unknown type reads as a marker.
    EXPECT_EQ(core::funcGetSysReg(QStringLiteral("新項目"), QStringLiteral("整数"), kOpcode, QStringLiteral("7")), 7);
    EXPECT_EQ(storedSysReg(QStringLiteral("新項目")), QStringLiteral("7"));
    EXPECT_EQ(core::funcGetSysReg(QStringLiteral("新項目"), QStringLiteral("実数"), kOpcode, QString()),
              QStringLiteral("Data Type Error"));
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_F(SysDefTest, SysRegWriteRefusalsAndFailures) {
    // A type word outside the five would store NULL: refused before anything is written.
    EXPECT_THROW(core::funcPutSysReg(QStringLiteral("型違い"), QStringLiteral("実数"), kOpcode, 1.5), core::Exception);
    EXPECT_EQ(storedSysReg(QStringLiteral("型違い")), QStringLiteral("<no row>"));
    EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());

    // A database failure on a transaction of its own is reported here; inside a caller's it
    // reaches the caller unreported.
    EXPECT_FALSE(core::funcPutSysReg(QStringLiteral("丸数字"), QStringLiteral("文字"), kOpcode, QStringLiteral("①")));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("システム共通変数の保存に失敗しました。")});
    EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());

    dm.IBTransactionDEF.startTransaction();
    EXPECT_THROW(core::funcPutSysReg(QStringLiteral("丸数字"), QStringLiteral("文字"), kOpcode, QStringLiteral("①")),
                 core::EIBError);
    EXPECT_TRUE(dm.IBTransactionDEF.inTransaction());
    dm.IBTransactionDEF.rollback();
    EXPECT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(storedSysReg(QStringLiteral("丸数字")), QStringLiteral("<no row>"));
}

// ---- Logon record and menu control ----

TEST_F(SysDefTest, DeleteLogonInfoRemovesOnlyTheSession) {
    execSystem({QStringLiteral("INSERT INTO LOGONUSERLIST(OPCODE,GROUPID,OPERATORCODE,PCNAME) VALUES(%1,%2,12,'pc1')")
                    .arg(kOpcode)
                    .arg(kGroup),
                QStringLiteral("INSERT INTO LOGONUSERLIST(OPCODE,GROUPID,OPERATORCODE,PCNAME) VALUES(%1,%2,13,'pc2')")
                    .arg(kOpcode + 1)
                    .arg(kGroup)});
    EXPECT_TRUE(dm.DeleteLogonInfo());
    EXPECT_EQ(stored(QStringLiteral("SELECT LIST(OPERATORCODE) FROM LOGONUSERLIST")), QStringLiteral("13"));
}

TEST_F(SysDefTest, JobControlByLevelAndOption) {
    execSystem({QStringLiteral("INSERT INTO JOBCONTROL2 VALUES(5,'VxTusinSettei','SyoriType=1')"),
                QStringLiteral("INSERT INTO JOBCONTROL2 VALUES(5,'VxKamoku','')"),
                QStringLiteral("INSERT INTO JOBCONTROL2 VALUES(1005,'VxMedical','')")});
    struct Case {
        qint32 level;
        quint8 medical;
        QString procId;
        QString option;
        bool allowed;
    };
    const Case cases[] = {
        {3, 0, QStringLiteral("Anything"), QString(), true},  // a level without rows runs everything
        {5, 0, QStringLiteral("VxTusinSettei"), QString(), true},
        {5, 0, QStringLiteral("VxTusinSettei"), QStringLiteral("Type=1"), true},
        {5, 0, QStringLiteral("VxTusinSettei"), QStringLiteral("SyoriType=2"), false},
        {5, 0, QStringLiteral("VxTusinSettei"), QStringLiteral("  "), true},
        {5, 0, QStringLiteral("VxOther"), QString(), false},
        {5, 1, QStringLiteral("VxMedical"), QString(), true},
        {5, 1, QStringLiteral("VxKamoku"), QString(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.level << " " << int(c.medical) << " " << c.procId.toStdString() << " '"
                                        << c.option.toStdString() << "'");
        SystemDef.JobLevel = c.level;
        core::AccInf.MedicalData = c.medical;
        EXPECT_EQ(dm.SetJobControl(c.procId, c.option), c.allowed);
        EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());
    }
}

// ---- Facilities ----

class SysDefFacilityTest : public SysDefFixture {
protected:
    void SetUp() override {
        SysDefFixture::SetUp();
        execCompany({
            QStringLiteral("INSERT INTO ACCDEF1(REC,SHOUGOU) VALUES(1,'山田商事')"),
            QStringLiteral("INSERT INTO SISETUMST(SCODE,SNAME,XSTR,MB_JIGYOU) VALUES('01','本院','NAME=x' || "
                           "ASCII_CHAR(13) || ASCII_CHAR(10) || 'COLOR=255',8)"),
            QStringLiteral("INSERT INTO SISETUMST(SCODE,SNAME,MB_JIGYOU) VALUES('02','分院',4)"),
            QStringLiteral("INSERT INTO SISETUMST(SCODE,SNAME,MB_JIGYOU) VALUES('00','共通',1)"),
            QStringLiteral("INSERT INTO OPLICENSE VALUES(%1,'01')").arg(kOpcode),
            QStringLiteral("INSERT INTO OPLICENSE VALUES(%1,'02')").arg(kOpcode),
            QStringLiteral("INSERT INTO OPDEFSISETU VALUES(%1,'02')").arg(kOpcode),
        });
        core::AccInf.SITEN = 1;
    }

    struct Facility {
        bool ok;
        QString code;
        QString name;
        qint32 kind;
        qint32 color;
    };
    Facility usualFacility() {
        SystemDef.FacilityCode = SystemDef.FacilityCode2 = QStringLiteral("??");
        SystemDef.FacilityKind = SystemDef.FacilityColor = -1;
        QString name = QStringLiteral("??");
        const bool ok = dm.GetOpeDefSisetu(name);
        EXPECT_EQ(SystemDef.FacilityCode, SystemDef.FacilityCode2);
        EXPECT_FALSE(dm.IBTransactionDAT.inTransaction());
        return {ok, SystemDef.FacilityCode, name, SystemDef.FacilityKind, SystemDef.FacilityColor};
    }
};

TEST_F(SysDefFacilityTest, UsualFacility) {
    struct Case {
        const char* what;
        qint32 jobLevel;
        quint8 medical;
        qint32 siten;
        bool withDefault;  // the operator's OPDEFSISETU row
        Facility expected;
    };
    const Case cases[] = {
        {"operator", 1, 0, 1, true, {true, "02", "分院", 1, 16756608}},
        {"operator, medical", 1, 1, 1, true, {true, "02", "分院", 4, 16756608}},
        {"operator, medical, no usual facility", 1, 1, 1, false, {true, "00", "共通", 1, 16756608}},
        {"administrator", 9, 0, 1, true, {true, "00", "共通", 1, 16756608}},
        {"administrator, medical", 9, 1, 1, true, {true, "01", "本院", 8, 255}},
        {"administrator, no facilities", 9, 0, 0, true, {true, " ", "山田商事", 1, 16756608}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.withDefault)
            execCompany({QStringLiteral("DELETE FROM OPDEFSISETU")});
        SystemDef.JobLevel = c.jobLevel;
        core::AccInf.MedicalData = c.medical;
        core::AccInf.SITEN = c.siten;
        const Facility got = usualFacility();
        EXPECT_EQ(got.ok, c.expected.ok);
        EXPECT_EQ(got.code, c.expected.code);
        EXPECT_EQ(got.name, c.expected.name);
        EXPECT_EQ(got.kind, c.expected.kind);
        EXPECT_EQ(got.color, c.expected.color);
        if (!c.withDefault)
            execCompany({QStringLiteral("INSERT INTO OPDEFSISETU VALUES(%1,'02')").arg(kOpcode)});
    }
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();

    // Medical data always manages facilities: without, the data set is taken as damaged.
    SystemDef.JobLevel = 9;
    core::AccInf.MedicalData = 1;
    core::AccInf.SITEN = 0;
    EXPECT_FALSE(usualFacility().ok);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("通常使用するデータ（本・支店）の取得に失敗しました。"));
    EXPECT_TRUE(messages.messages[0].detail.contains(
        QStringLiteral("このデータは医療法人データですが、施設管理がおこなわれていません。")));
}

TEST_F(SysDefFacilityTest, FacilityRights) {
    EXPECT_TRUE(dm.ExistsOpeDefSisetu());
    EXPECT_FALSE(dm.CanUseAllSiten(kOpcode)) << "no right for facility 00";
    execCompany({QStringLiteral("INSERT INTO OPLICENSE VALUES(%1,'00')").arg(kOpcode)});
    EXPECT_TRUE(dm.CanUseAllSiten(kOpcode));
    EXPECT_FALSE(dm.CanUseAllSiten(kOpcode + 1));

    core::AccInf.SITEN = 0;
    EXPECT_TRUE(dm.CanUseAllSiten(kOpcode + 1)) << "without facilities everything is allowed";
    core::AccInf.SITEN = 1;

    SystemDef.OPCODE = kOpcode + 1;
    EXPECT_FALSE(dm.ExistsOpeDefSisetu());
    SystemDef.LocalAdmin = 1;
    EXPECT_TRUE(dm.ExistsOpeDefSisetu());
    EXPECT_TRUE(dm.CanUseAllSiten(kOpcode + 1)) << "an administrator's list is not filtered";
    EXPECT_FALSE(dm.IBTransactionDAT.inTransaction());
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST(SysDefKeyValueTest, KeyValueTexts) {
    const QString text = QStringLiteral("NAME=本店\r\nname=second\rEMPTY=\nURL=a=b\nCOLOR=255");
    EXPECT_EQ(core::TDM::GetKeyValue(text, QStringLiteral("name")), QStringLiteral("本店"));
    EXPECT_EQ(core::TDM::GetKeyValue(text, QStringLiteral("url")), QStringLiteral("a=b"));
    EXPECT_EQ(core::TDM::GetKeyValue(text, QStringLiteral("EMPTY")), QString());
    EXPECT_EQ(core::TDM::GetKeyValue(text, QStringLiteral("TEL")), QString());

    struct Case {
        QString text;
        QString key;
        QVariant value;
    };
    const Case cases[] = {
        {text, QStringLiteral("color"), 255},
        {text, QStringLiteral("Name"), QStringLiteral("本店")},
        {QStringLiteral("NAME=x"), QStringLiteral("color"), 16756608},
        {QStringLiteral("COLOR=0"), QStringLiteral("COLOR"), 16756608},
        {QStringLiteral("COLOR=-5"), QStringLiteral("COLOR"), 16756608},
        {QStringLiteral("COLOR=abc"), QStringLiteral("COLOR"), 16756608},
        {QString(), QStringLiteral("COLOR"), 16756608},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " / " + c.key.toStdString());
        EXPECT_EQ(core::TDM::GetKeyValueVariant(c.text, c.key), c.value);
    }
}

} // namespace
