#include "core/Globals.h"
#include "core/dates/Gengo.h"
#include "core/tax/TaxCodeChecks.h"
#include "core/tax/TaxCodes.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

struct CodeInfo {
    bool listed = false;
    QString group;
    QString name;
    qint32 salesClass = -1;
    qint32 taxableKind = -1;
    qint32 sideClass = -1;
};

CodeInfo info(qint32 code)
{
    CodeInfo i;
    i.listed = GetTaxCodeName(code, i.group, i.name, i.salesClass, i.taxableKind, i.sideClass);
    return i;
}

// The company settings the tax rules read, restored after each test.
class TaxSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = AccInf;
        savedSystemDef_ = SystemDef;
        savedGengo_ = GengoTable;
        InitGengoTable();
        AccInf.SysUserCode[skKaribaraiZei] = QStringLiteral("1190");
        AccInf.SysUserCode[skKariukeZei] = QStringLiteral("2170");
        AccInf.SysUserCode[skShokuchi] = QStringLiteral("9999");
        AccInf.TAXKANNI = 0;
        AccInf.TAXJIGYOU = 0;
    }
    void TearDown() override
    {
        AccInf = saved_;
        SystemDef = savedSystemDef_;
        GengoTable = savedGengo_;
    }

private:
    TACCINF saved_;
    TSystemDef savedSystemDef_;
    TGengoArray savedGengo_;
};

} // namespace

TEST(TaxCodes, EveryListedCodeHasATwentyFourByteName) {
    int listed = 0;
    for (qint32 code = 0; code < 1000; ++code) {
        const CodeInfo i = info(code);
        if (!i.listed)
            continue;
        ++listed;
        EXPECT_EQ(platform::toCp932(i.name).size(), kTaxCodeNameBytes) << code << " " << i.name.toStdString();
        EXPECT_FALSE(i.group.isEmpty()) << code;
    }
    EXPECT_EQ(listed, 93);
}

TEST(TaxCodes, NamesAndGroupsOfSampleCodes) {
    const struct {
        qint32 code;
        const char* group;
        const char* name; // before padding
    } cases[] = {
        {110, "売上", "課税売上"},
        {116, "売上", "第６種課税売上"},
        {250, "貸倒回収", "非課税売上（輸出等）"},
        {313, "返還", "第３種課税返還"},
        {533, "仕入", "非課税売上対調整（棚卸）"},
        {583, "仕入", "非課売上対応特定仕入返還"},
        {620, "仮受", "貸倒回収"},
        {713, "仮払", "非課売上対応課税仕入"},
        {733, "仮払", "非課売上対応調整（棚卸）"},
        {776, "仮払", "非課売対課税輸入返還(国)"},
        {810, "課税対象外", "課税対象外・不課税"},
    };
    for (const auto& c : cases) {
        const CodeInfo i = info(c.code);
        EXPECT_EQ(i.group, QString::fromUtf8(c.group)) << c.code;
        EXPECT_EQ(i.name.trimmed(), QString::fromUtf8(c.name)) << c.code;
        EXPECT_TRUE(i.name.startsWith(QString::fromUtf8(c.name))) << c.code;
    }

    // 910 is padded with six full-width spaces first, then half-width blanks.
    EXPECT_EQ(info(910).name, QStringLiteral("区分未定　　　　　　    "));
    EXPECT_EQ(info(910).group, QStringLiteral("区分未定"));
}

TEST(TaxCodes, ClassValues) {
    const struct {
        qint32 code;
        qint32 salesClass;
        qint32 taxableKind;
        qint32 sideClass;
    } cases[] = {
        {110, 1, 1, 3}, {113, 2, 1, 3}, {120, 0, 0, 3}, {210, 0, 1, 3}, {230, 0, 0, 3},
        {310, 1, 1, 1}, {316, 2, 1, 1}, {350, 0, 0, 1}, {410, 0, 1, 1}, {440, 0, 0, 1},
        {511, 0, 2, 1}, {540, 0, 0, 1}, {553, 0, 2, 1}, {561, 0, 2, 3}, {583, 0, 2, 3},
        {610, 1, 0, 3}, {612, 2, 0, 3}, {620, 0, 0, 3}, {630, 1, 0, 1}, {636, 2, 0, 1},
        {640, 0, 0, 1}, {711, 0, 0, 1}, {733, 0, 0, 1}, {726, 0, 0, 1}, {761, 0, 0, 3},
        {776, 0, 0, 3}, {810, 0, 0, 0}, {910, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const CodeInfo i = info(c.code);
        EXPECT_TRUE(i.listed) << c.code;
        EXPECT_EQ(i.salesClass, c.salesClass) << c.code;
        EXPECT_EQ(i.taxableKind, c.taxableKind) << c.code;
        EXPECT_EQ(i.sideClass, c.sideClass) << c.code;
    }
}

TEST(TaxCodes, UnlistedCodeGivesTheErrorGroup) {
    for (qint32 code : {0, 100, 117, 260, 514, 541, 617, 714, 727, 800, 999, -110}) {
        const CodeInfo i = info(code);
        EXPECT_FALSE(i.listed) << code;
        EXPECT_EQ(i.group, QStringLiteral("Error               ")) << code;
        EXPECT_EQ(i.name, QStringLiteral(" ")) << code;
        EXPECT_EQ(i.salesClass, 9) << code;
        EXPECT_EQ(i.taxableKind, 0) << code;
        EXPECT_EQ(i.sideClass, 0) << code;
    }
}

TEST(TaxCodes, SpecificPurchaseCodes) {
    for (qint32 code = 500; code < 600; ++code) {
        const bool expected = (code >= 551 && code <= 553) || (code >= 581 && code <= 583);
        EXPECT_EQ(IsTokuteiSiireTaxCode(code), expected) << code;
    }
}

TEST_F(TaxSettings, NormalizeTaxCodeFollowsTheTaxation) {
    const struct {
        qint32 kanni;
        qint32 jigyou;
        qint32 code;
        qint32 expected;
    } cases[] = {
        {1, 5, 630, 635}, {1, 3, 110, 113}, {1, 3, 310, 313}, {1, 6, 610, 616},
        {1, 5, 635, 635}, {1, 5, 620, 620}, {1, 5, 511, 511},
        {0, 5, 635, 630}, {0, 5, 620, 620}, {0, 5, 116, 110}, {0, 5, 311, 310},
        {0, 5, 614, 610}, {0, 5, 110, 110}, {2, 5, 113, 110},
    };
    for (const auto& c : cases) {
        AccInf.TAXKANNI = c.kanni;
        AccInf.TAXJIGYOU = c.jigyou;
        qint32 code = c.code;
        NormalizeTaxCode(code);
        EXPECT_EQ(code, c.expected) << c.kanni << "/" << c.jigyou << " " << c.code;
    }
}

TEST_F(TaxSettings, CheckKamokuTaxCodeMessages) {
    const QString karibarai = QStringLiteral("仮払消費税の税コードは[700番台,810,910]を使用してください。");
    const QString need700 = QStringLiteral("税コードが[700番台]は、科目に仮払消費税を使用してください。");
    const QString need600 = QStringLiteral("税コードが[600番台]は、科目に仮受消費税を使用してください。");
    const QString kariuke = QStringLiteral("仮受消費税の税コードは[600番台,810,910]を使用してください。");
    const QString gensoku = QStringLiteral("注意：原則課税が選択されています。");
    const QString kanni = QStringLiteral("注意：簡易課税が選択されています。");
    const QString untouched = QStringLiteral("(before)");
    const struct {
        qint32 taxKanni;
        const char* account;
        qint32 code;
        bool ok;
        QString message;
    } cases[] = {
        {0, "1190", 711, true, QString()},   {0, "1190", 726, true, QString()},
        {0, "1190", 776, true, QString()},   {0, "1190", 910, true, QString()},
        {0, "1190", 714, false, karibarai},  {0, "1190", 511, false, karibarai},
        {0, "1190", 610, false, karibarai},  {0, "5000", 711, false, need700},
        {0, "5000", 610, false, need600},    {0, "5000", 511, true, untouched},
        {0, "5000", 810, true, untouched},   {0, "2170", 711, false, need700},
        {0, "2170", 610, true, QString()},   {0, "2170", 640, true, QString()},
        {0, "2170", 910, true, QString()},   {0, "2170", 613, true, gensoku},
        {0, "2170", 636, true, gensoku},     {0, "2170", 110, false, kariuke},
        {0, "2170", 650, false, kariuke},    {1, "2170", 610, true, kanni},
        {1, "2170", 630, true, kanni},       {1, "2170", 615, true, QString()},
        {1, "2170", 620, true, QString()},   {1, "2170", 810, true, QString()},
        {1, "2170", 110, false, kariuke},    {2, "2170", 110, true, untouched},
    };
    for (const auto& c : cases) {
        AccInf.TAXKANNI = c.taxKanni;
        QString message = untouched;
        EXPECT_EQ(CheckKamokuTaxCode(message, QString::fromLatin1(c.account), c.code), c.ok)
            << c.taxKanni << " " << c.account << " " << c.code;
        EXPECT_EQ(message, c.message) << c.taxKanni << " " << c.account << " " << c.code;
    }
}

TEST_F(TaxSettings, CounterAndSundryAccountsTakeOnly810And910) {
    const QString aite = QStringLiteral("仮受消費税、仮払消費税の相手税コードは[810,910]を使用してください。");
    const QString syokuti = QStringLiteral("諸口の消費税コードは、[810,910]を使用してください。");
    const struct {
        bool sundry; // CheckSyokutiTaxCode, else CheckAiteTaxCode
        const char* account;
        qint32 code;
        bool ok;
        qint32 codeAfter;
    } cases[] = {
        {false, "1190", 810, true, 810}, {false, "2170", 910, true, 910}, {false, "1190", 511, false, 810},
        {false, "2170", 110, false, 810}, {false, "5000", 511, true, 511}, {true, "9999", 910, true, 910},
        {true, "9999", 110, false, 810}, {true, "1190", 110, true, 110},
    };
    for (const auto& c : cases) {
        QString message = QStringLiteral("(before)");
        qint32 code = c.code;
        const QString account = QString::fromLatin1(c.account);
        const bool ok = c.sundry ? CheckSyokutiTaxCode(message, account, code) : CheckAiteTaxCode(message, account, code);
        EXPECT_EQ(ok, c.ok) << c.account << " " << c.code;
        EXPECT_EQ(code, c.codeAfter) << c.account << " " << c.code;
        EXPECT_EQ(message, c.ok ? QStringLiteral("(before)") : (c.sundry ? syokuti : aite)) << c.account << " " << c.code;
    }
}

TEST_F(TaxSettings, AnEmptySystemSlotMatchesNoAccount) {
    // Data without a 仮払消費税 account: an entry without an account code is no tax-paid side.
    AccInf.SysUserCode[skKaribaraiZei].clear();
    AccInf.SysUserCode[skShokuchi].clear();
    QString message;
    EXPECT_TRUE(CheckKamokuTaxCode(message, QString(), 110));
    qint32 code = 110;
    EXPECT_TRUE(CheckAiteTaxCode(message, QString(), code));
    EXPECT_TRUE(CheckSyokutiTaxCode(message, QString(), code));
    EXPECT_EQ(code, 110);
}

TEST_F(TaxSettings, CheckTokuteiSiireTaxCodeMessages) {
    SystemDef.Reserve4Switch9 = 0;
    const QString prefix = QStringLiteral("特定課税仕入れ用の消費税コード[551,552,553,581,582,583]では");
    const QString dateMessage = prefix + QStringLiteral("[2015/10/01]より前の取引を登録できません。");
    const auto rateMessage = [&](const char* rate) {
        return prefix + QStringLiteral("税率[") + QString::fromUtf8(rate) + QStringLiteral("]は使用できません。");
    };
    const struct {
        qint32 code;
        qint32 key;
        QDate date;
        bool ok;
        QString message;
    } cases[] = {
        {511, 1, QDate(2014, 1, 1), true, QStringLiteral("(before)")},
        {551, 0, QDate(2015, 10, 1), true, QStringLiteral("(before)")},
        {551, 3, QDate(2019, 1, 1), true, QStringLiteral("(before)")},
        {583, 0, QDate(2015, 9, 30), false, dateMessage},
        {581, 0, QDate(), false, dateMessage},
        {551, 1, QDate(2020, 1, 1), false, rateMessage("3%")},
        {553, 2, QDate(2020, 1, 1), false, rateMessage("5%")},
        {552, 4, QDate(2014, 1, 1), false, rateMessage("軽減8%")},
    };
    for (const auto& c : cases) {
        QString message = QStringLiteral("(before)");
        qint32 code = c.code;
        EXPECT_EQ(CheckTokuteiSiireTaxCode(message, code, c.key, c.date), c.ok) << c.code << " " << c.key;
        EXPECT_EQ(message, c.message) << c.code << " " << c.key;
        EXPECT_EQ(code, c.code);
    }

    // With the era display on, the date is written in era form.
    SystemDef.Reserve4Switch9 = 1;
    QString message;
    qint32 code = 551;
    EXPECT_FALSE(CheckTokuteiSiireTaxCode(message, code, 0, QDate(2015, 1, 1)));
    EXPECT_EQ(message, prefix + QStringLiteral("[H27/10/01]より前の取引を登録できません。"));
}
