// The general ledger HJ00780S: the sign rule, and on the ordinary sample the ledger's own
// arithmetic (opening + entries = closing, the running balance), which accounts it lists and
// what a failure in the middle does.

#include "core/EIBError.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/settings/QueryFactory.h"
#include "link/export/DataLoader.h"
#include "link/export/GeneralLedger.h"
#include "schema/SchemaScripts.h"
#include "schema/sample/CompanyProfile.h"
#include "schema/sample/JournalWriter.h"
#include "statements/KamokuZan.h"
#include "tests/link/ExportSampleFixture.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QSet>

#include <optional>

using namespace taxreturn;
using core::Currency;

namespace {

Currency yen(qint64 units)
{
    return Currency::fromInt(units);
}

TEST(GeneralLedgerSign, BalancesAsTheBalanceSheetAndEntriesMovingThem)
{
    struct Case {
        QString kind;
        int nature;
        int side;
        qint64 expected; // for an amount of 100
    };
    const Case cases[] = {
        {kSignKamoku, 1, 0, 100},  {kSignKamoku, 2, 0, -100}, {kSignKamoku, 3, 0, 100},
        {kSignKamoku, 4, 0, -100},
        // debit-natured 1 and 4 grow by debits, 2 and 3 by credits; 2 and 4 then shown negated
        {kSignSiwake, 1, 1, 100},  {kSignSiwake, 1, 2, -100}, {kSignSiwake, 2, 1, 100},
        {kSignSiwake, 2, 2, -100}, {kSignSiwake, 3, 1, -100}, {kSignSiwake, 3, 2, 100},
        {kSignSiwake, 4, 1, -100}, {kSignSiwake, 4, 2, 100},
        // outside the rule: unchanged
        {kSignSiwake, 0, 1, 100},  {kSignSiwake, 1, 0, 100},  {QStringLiteral("OTHER"), 2, 1, 100},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SignedAmount(c.kind, c.nature, c.side, yen(100)), yen(c.expected))
            << c.kind.toStdString() << " nature " << c.nature << " side " << c.side;
    }
}

// One account of a written ledger, read back from the document.
struct LedgerAccount {
    QString name;
    QString group;
    Currency opening;
    Currency closing;
    QList<Currency> amounts;
    QList<Currency> running;
    QStringList dates;
    QStringList descriptions;
};

Currency amountOf(const QString& text)
{
    return text.isEmpty() ? Currency{} : Currency::fromInt(text.toLongLong());
}

QString childText(const TXmlNode& node, const QString& name)
{
    for (const TXmlNode* child : node.children())
        if (child->name() == name)
            return child->text();
    return QStringLiteral("<missing>");
}

QList<LedgerAccount> readLedger(const TXmlNode& ledger)
{
    QList<LedgerAccount> accounts;
    for (const TXmlNode* element : ledger.children()) {
        LedgerAccount account;
        account.name = childText(*element, QStringLiteral("HJ00780S0010"));
        account.group = childText(*element, QStringLiteral("HJ00780S0020"));
        account.opening = amountOf(childText(*element, QStringLiteral("HJ00780S0030")));
        account.closing = amountOf(childText(*element, QStringLiteral("HJ00780S0040")));
        for (const TXmlNode* line : element->children()) {
            if (line->name() != QStringLiteral("HJ00780S02"))
                continue;
            account.amounts << amountOf(childText(*line, QStringLiteral("HJ00780S0110")));
            account.running << amountOf(childText(*line, QStringLiteral("HJ00780S0120")));
            account.dates << childText(*line, QStringLiteral("HJ00780S0060"));
            account.descriptions << childText(*line, QStringLiteral("HJ00780S0100"));
        }
        accounts << account;
    }
    return accounts;
}

const int kTiedEntries = 40;
const QString kTiedText = QStringLiteral("同順売上");

// The ordinary sample with two more entries, so that every nature has journal lines: a sales
// return (nature 4, its tax on the debit side) and a purchase of own shares (nature 4).
exporttest::SampleRootHolder& ledgerRoot()
{
    using namespace schema::sample;
    static exporttest::SampleRootHolder holder = [] {
        exporttest::SampleRootHolder h = exporttest::makeSampleRoot({SampleKind::Ordinary});
        if (!h.error.isEmpty())
            return h;
        try {
            const CompanyProfile profile = ordinaryCompany();
            JournalEntry salesReturn;
            salesReturn.date = QDate(2024, 10, 15);
            salesReturn.mnum = periodOfDate(profile.kishu, salesReturn.date);
            salesReturn.debit.kcode = QStringLiteral("4102");
            salesReturn.debit.net = 10'000;
            salesReturn.debit.tax = 1'000;
            salesReturn.debit.taxCode = 11;
            salesReturn.debit.taxUh = 1;
            salesReturn.credit.kcode = QStringLiteral("1122");
            salesReturn.credit.hcode = QStringLiteral("001");
            salesReturn.credit.net = 11'000;
            salesReturn.tekiyo = QStringLiteral("返品");
            JournalEntry ownShares = salesReturn;
            ownShares.debit = {};
            ownShares.debit.kcode = QStringLiteral("3401");
            ownShares.debit.net = 200'000;
            ownShares.credit.kcode = QStringLiteral("1103");
            ownShares.credit.net = 200'000;
            ownShares.tekiyo = QStringLiteral("自己株式の取得");
            // Cash sales whose lines share every ordering key (date, facility, order within the
            // date, link number, side): they keep the order they were entered in.
            QList<JournalEntry> entries = {salesReturn, ownShares};
            for (int i = 1; i <= kTiedEntries; ++i) {
                JournalEntry tied;
                tied.date = QDate(2024, 11, 20);
                tied.mnum = periodOfDate(profile.kishu, tied.date);
                tied.debit.kcode = QStringLiteral("1101");
                tied.debit.net = 1'000 * i;
                tied.credit.kcode = QStringLiteral("4101");
                tied.credit.net = 1'000 * i;
                tied.tekiyo = kTiedText + QString::number(i);
                entries << tied;
            }
            const auto company = schema::openDatabase(schema::DbAccount{},
                                                      h.root->dataFolder(1) + QStringLiteral("/qmacc.fdb"));
            writeJournal(*company, profile, entries);
            core::TIBTransaction transaction;
            transaction.addDatabase(company.get());
            transaction.startTransaction();
            core::TIBSQL tie(company.get(), &transaction);
            tie.sql() << QStringLiteral("UPDATE SIWAKE SET SDAYNUM=1,SWKNO=0 WHERE TEKTEXT STARTING WITH :TEXT");
            tie.paramByName(QStringLiteral("TEXT")).setString(kTiedText);
            tie.execQuery();
            transaction.commit();
        } catch (const std::exception& e) {
            h.error = QString::fromUtf8(e.what());
        }
        return h;
    }();
    return holder;
}

class GeneralLedgerTest : public exporttest::ExportSampleTest {
protected:
    exporttest::SampleRootHolder& root() override { return ledgerRoot(); }

    void SetUp() override
    {
        ExportSampleTest::SetUp();
        openSample(exporttest::kOrdinarySample);
        loader.emplace(); // binds to the company database just opened
    }

    // Writes the ledger of the range into a fresh document; returns the HJ00780S element.
    const TXmlNode& write(int start, int end, int taxMode)
    {
        doc = std::make_unique<TXmlSaveDoc>(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QString());
        IXMLNode data = doc->AddNode(doc->CreateRoot(QStringLiteral("REPORT"), {}), QStringLiteral("DATA"), {}, {});
        TGeneralLedger ledger(loader->Transaction, loader->LedgerAccountQuery, loader->LedgerEntryQuery);
        ledger.StartPeriod = start;
        ledger.EndPeriod = end;
        ledger.TaxMode = taxMode;
        ledger.BalanceAfter = [](const QString& kcode, int period, int mode) {
            return statements::GetKamokuZan(QString(), QString(), kcode, QString(), period, mode);
        };
        ledger.Write(*doc, data);
        EXPECT_FALSE(loader->Transaction.inTransaction()); // started and committed by the ledger
        return *data->children().front();
    }

    // Nature of each account by name.
    QHash<QString, int> naturesByName()
    {
        auto query = core::CreateIBQuery(QStringLiteral("ACCDAT"), false);
        core::TransactionScope scope(*query->transaction());
        query->sql() << QStringLiteral("SELECT KNAME, DAC FROM KAMOKUMST");
        query->execQuery();
        QHash<QString, int> natures;
        for (; !query->eof(); query->next())
            natures.insert(query->fieldByName(QStringLiteral("KNAME")).asString(),
                           query->fieldByName(QStringLiteral("DAC")).asInteger());
        query->close();
        scope.commit();
        return natures;
    }

    std::optional<TZaimuDataLoad> loader;
    std::unique_ptr<TXmlSaveDoc> doc;
};

// Opening plus the entries gives the closing balance, line by line through the running
// balance, for accounts of every nature, tax included and excluded, over the year and a part.
TEST_F(GeneralLedgerTest, OpeningPlusEntriesIsClosingForEveryNature)
{
    const QHash<QString, int> natures = naturesByName();
    struct Range {
        int start;
        int end;
        int taxMode;
    };
    for (const Range range : {Range{0, 15, 0}, Range{4, 10, 0}, Range{0, 15, 1}}) {
        SCOPED_TRACE(testing::Message() << "range " << range.start << "-" << range.end << " tax " << range.taxMode);
        const QList<LedgerAccount> accounts = readLedger(write(range.start, range.end, range.taxMode));
        ASSERT_FALSE(accounts.isEmpty());
        QSet<int> seenNatures;
        for (const LedgerAccount& account : accounts) {
            SCOPED_TRACE(account.name.toStdString());
            ASSERT_FALSE(account.amounts.isEmpty()); // listed only with entries in the range
            Currency running = account.opening;
            for (qsizetype i = 0; i < account.amounts.size(); ++i) {
                running += account.amounts[i];
                ASSERT_EQ(account.running[i], running) << "line " << i;
            }
            EXPECT_EQ(running, account.closing);
            seenNatures.insert(natures.value(account.name));
        }
        // Over the whole year every nature has entries; the part-year range has no
        // nature-2 entries (depreciation and closing stock are booked at the year end).
        if (range.start == 0)
            EXPECT_EQ(seenNatures, (QSet<int>{1, 2, 3, 4}));
        else
            EXPECT_TRUE(seenNatures.contains(1) && seenNatures.contains(3) && seenNatures.contains(4));
    }
}

// The miscellaneous account is never listed, an account with a balance but no entries in the
// range neither; a credit on an asset lowers its balance; dates are era dates.
TEST_F(GeneralLedgerTest, ListsAccountsWithEntriesOnly)
{
    const QList<LedgerAccount> accounts = readLedger(write(0, 15, 0));
    QStringList names;
    for (const LedgerAccount& account : accounts)
        names << account.name;
    EXPECT_FALSE(names.contains(QStringLiteral("諸口")));
    EXPECT_FALSE(names.contains(QStringLiteral("資本金"))); // opening balance, no entries
    EXPECT_NE(statements::GetKamokuZan(QString(), QString(), QStringLiteral("3101"), QString(), 16, 0), Currency{});

    const auto cash = std::find_if(accounts.begin(), accounts.end(),
                                   [](const LedgerAccount& a) { return a.name == QStringLiteral("現金"); });
    ASSERT_NE(cash, accounts.end());
    EXPECT_TRUE(std::any_of(cash->amounts.begin(), cash->amounts.end(), [](Currency c) { return c.raw < 0; }));
    EXPECT_TRUE(cash->dates.front().startsWith(QStringLiteral("令和")) ||
                cash->dates.front().startsWith(QStringLiteral("平成")))
        << cash->dates.front().toStdString();
    EXPECT_EQ(cash->dates.front().size(), QStringLiteral("令和06年04月01日").size());
}

// Lines whose ordering keys are all equal come in the order they were entered, on both sides.
TEST_F(GeneralLedgerTest, LinesWithEqualKeysKeepTheirEntryOrder)
{
    const QList<LedgerAccount> accounts = readLedger(write(0, 15, 0));
    for (const QString& name : {QStringLiteral("現金"), QStringLiteral("売上高")}) {
        SCOPED_TRACE(name.toStdString());
        const auto account = std::find_if(accounts.begin(), accounts.end(),
                                          [&name](const LedgerAccount& a) { return a.name == name; });
        ASSERT_NE(account, accounts.end());
        QStringList tied;
        for (const QString& description : account->descriptions)
            if (description.startsWith(kTiedText))
                tied << description;
        QStringList entered;
        for (int i = 1; i <= kTiedEntries; ++i)
            entered << kTiedText + QString::number(i);
        EXPECT_EQ(tied, entered);
    }
}

// Tax excluded, the tax accounts' ledgers also carry the tax of other accounts' lines (and so
// have more lines than tax included, where they hold only their own).
TEST_F(GeneralLedgerTest, TaxExcludedTaxLedgersCarryOtherAccountsTax)
{
    const auto linesOf = [](const QList<LedgerAccount>& accounts, const QString& name) {
        for (const LedgerAccount& account : accounts)
            if (account.name == name)
                return account.amounts.size();
        return qsizetype(0);
    };
    const QList<LedgerAccount> included = readLedger(write(0, 15, 0));
    const QList<LedgerAccount> excluded = readLedger(write(0, 15, 1));
    for (const QString& name : {QStringLiteral("仮受消費税"), QStringLiteral("仮払消費税")}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_GT(linesOf(excluded, name), linesOf(included, name));
    }
    EXPECT_EQ(linesOf(excluded, QStringLiteral("売上高")), linesOf(included, QStringLiteral("売上高")));
}

// A database failure in the middle: the message box, result 18, the transaction rolled back.
TEST_F(GeneralLedgerTest, FailureInTheMiddleShowsTheMessageAndGives18)
{
    TXmlSaveDoc failing(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QString());
    IXMLNode data = failing.AddNode(failing.CreateRoot(QStringLiteral("REPORT"), {}), QStringLiteral("DATA"), {}, {});
    TGeneralLedger ledger(loader->Transaction, loader->LedgerAccountQuery, loader->LedgerEntryQuery);
    int calls = 0;
    ledger.BalanceAfter = [&calls](const QString&, int, int) -> Currency {
        if (++calls == 5)
            throw core::EIBError(335544344, -902, QStringLiteral("I/O error during read"));
        return Currency{};
    };
    EXPECT_EQ(MakeGeneralLedger(ledger, failing, data), 18);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages.front().text.startsWith(QStringLiteral("例外エラー（総勘定元帳の作成）")));
    EXPECT_TRUE(messages.messages.front().detail.contains(QStringLiteral("I/O error during read")))
        << messages.messages.front().detail.toStdString();
    EXPECT_FALSE(loader->Transaction.inTransaction());
    EXPECT_EQ(data->children().size(), 1u); // HJ00780S with what was written before
}

} // namespace
