#include "link/export/NetAssetsChanges.h"

#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/settings/QueryFactory.h"
#include "link/export/EDataExportError.h"
#include "link/export/IntermediateLayout.h"
#include "link/export/ValueFormats.h"

#include <algorithm>
#include <array>
#include <map>

namespace taxreturn {

using statements::TBALANCE;

namespace {

const QString kRetainedEarningsGroup = QStringLiteral("3340");
const QString kNetIncomeReasonKey = QStringLiteral("4");

constexpr std::array<int, 12> kEquityGroupCodes = {3100, 3150, 3200, 3220, 3300, 3320,
                                                   3340, 3360, 3370, 3400, 3500, 3600};

// The amount a statement text holds ("#" and "#0" texts; empty is 0).
core::Currency AmountOf(const QString& text) {
    return core::Currency::fromInt(text.toLongLong());
}

[[noreturn]] void StopForSettings(const QString& name) {
    throw EDataExportError(kChangesMismatchMessage, kErrorChangesMismatch, name);
}

std::unique_ptr<core::TIBQuery> CompanyQuery() {
    auto query = core::CreateIBQuery(QStringLiteral("ACCDAT"), false);
    if (!query)
        throw std::runtime_error("company database query unavailable");
    return query;
}

} // namespace

bool IsEquityGroupCode(const QString& groupCode) {
    bool ok = false;
    const int code = groupCode.toInt(&ok);
    return ok && groupCode.size() == 4 &&
           std::find(kEquityGroupCodes.begin(), kEquityGroupCodes.end(), code) != kEquityGroupCodes.end();
}

TNetAssetsChangesBuilder::TNetAssetsChangesBuilder(TBalanceRowsView rows, const TBALANCE* netIncomeRow,
                                                   const QString& settingsFile)
    : rows_(rows), netIncomeRow_(netIncomeRow), settings_(settingsFile) {}

void TNetAssetsChangesBuilder::MakeChangesStatement() {
    settings_.LoadAccounts();
    settings_.LoadReasons();
    settings_.LoadSettings();
    ChangesFlag = settings_.SakuseiKubun;
    GeneralLedgerFlag = settings_.MotochoKubun;
    EquityItems.clear();
    if (ChangesFlag == 0)
        return;

    // The period's net income goes once into the changes, with the last "3340" row.
    lastRetainedEarningsPosition_ = -1;
    for (int position = 0; position < rows_.Count(); ++position) {
        if (const TBALANCE* row = rows_.RowAt(position); row && row->KMK.GROUPM1 == kRetainedEarningsGroup)
            lastRetainedEarningsPosition_ = position;
    }

    core::TransactionScope scope(core::RequireDM().IBTransactionDAT);
    try {
        std::map<QString, int> counters; // per group code: its rows so far
        for (int position = 0; position < rows_.Count(); ++position) {
            const TBALANCE* row = rows_.RowAt(position);
            if (!row || !IsEquityGroupCode(row->KMK.GROUPM1))
                continue;
            currentPosition_ = position;
            AddEquityItem(++counters[row->KMK.GROUPM1], *row);
        }
    } catch (...) {
        try {
            scope.commit();
        } catch (...) {
        }
        throw;
    }
    scope.commit();
}

void TNetAssetsChangesBuilder::AddEquityItem(int counter, const TBALANCE& row) {
    const QString key = row.KMK.GROUPM1 + QString::number(counter);
    const THojinZeiWariateItem* assignment = nullptr;
    for (const auto& item : settings_.KamokuItems) {
        if (item.GroupKey == key) {
            assignment = &item;
            break;
        }
    }
    if (!assignment) {
        // A line the settings could not list (no name anywhere) is harmless while it is empty.
        if (row.KURIKOSI == core::Currency{} && row.ZAN == core::Currency{})
            return;
        StopForSettings(row.KMK.KNAME);
    }
    if (assignment->WariateIndex < 0 || assignment->WariateIndex >= kEquityItemCount)
        StopForSettings(assignment->Name);

    const QString itemName = EquityItemNames().at(assignment->WariateIndex);
    int lineIndex = -1;
    for (int i = 0; i < EquityItems.size(); ++i) {
        if (EquityItems[i].EquityName == itemName) {
            lineIndex = i;
            break;
        }
    }
    if (lineIndex < 0) {
        EquityItems.append(THojinZeiKabunusiSisanItemValue{});
        lineIndex = int(EquityItems.size()) - 1;
    }

    {
        auto& line = EquityItems[lineIndex];
        line.AccountName = assignment->Name;
        line.EquityName = itemName.contains(kOwnEquityItem) ? assignment->Name : itemName;
        line.PreviousBalance = FormatAmount0(AmountOf(line.PreviousBalance) + row.KURIKOSI);
    }
    AddChangeReasons(lineIndex, assignment->SubRec, row);

    auto& line = EquityItems[lineIndex];
    line.CurrentBalance = FormatAmount(AmountOf(line.CurrentBalance) + row.ZAN);
    const core::Currency previous = AmountOf(line.PreviousBalance);
    const core::Currency current = AmountOf(line.CurrentBalance);
    if (line.Changes.isEmpty())
        line.TotalChanges = FormatAmount0(current - previous);
    if (previous != core::Currency{} || AmountOf(line.TotalChanges) != core::Currency{} ||
        current != core::Currency{})
        line.Used = true;
}

THojinZeiHendouJiyuuItemValue& TNetAssetsChangesBuilder::FindOrAppendChange(THojinZeiKabunusiSisanItemValue& line,
                                                                            const QString& reasonName) {
    for (auto& change : line.Changes) {
        if (change.ReasonName == reasonName)
            return change;
    }
    line.Changes.append(THojinZeiHendouJiyuuItemValue{});
    return line.Changes.last();
}

void TNetAssetsChangesBuilder::AddChangeReasons(int lineIndex, int subRec, const TBALANCE& row) {
    if (settings_.GetSkipFlag() != 0)
        return;
    auto& line = EquityItems[lineIndex];
    auto query = CompanyQuery();
    query->sql() << QStringLiteral("SELECT MIN(K.KCODE) AS KCODE FROM EXTERKS K3")
                 << QStringLiteral("INNER JOIN KAMOKUMST K ON (K3.REC=K.EXT1_KS)")
                 << QStringLiteral("WHERE (K3.KGROUP=:KGROUP) AND (K3.SUBREC=:SUBREC)");
    query->paramByName(QStringLiteral("KGROUP")).setString(row.KMK.GROUPM1);
    query->paramByName(QStringLiteral("SUBREC")).setInteger(subRec);
    query->open();
    const bool noAccount = query->eof() || query->fieldByName(QStringLiteral("KCODE")).isNull();
    query->close();
    if (noAccount)
        return;

    // The reason name of an assignment; an unassigned reason sends the operator back.
    auto reasonNameOf = [](const THojinZeiWariateItem& assignment) {
        if (assignment.WariateIndex < 0 || assignment.WariateIndex >= kChangeReasonCount)
            StopForSettings(assignment.Name);
        const QString name = ChangeReasonNames().at(assignment.WariateIndex);
        return name.contains(kOwnChangeReason) ? assignment.Name : name;
    };
    auto assignmentOf = [this](const QString& key) -> const THojinZeiWariateItem* {
        for (const auto& item : settings_.JiyuuItems) {
            if (item.Key == key)
                return &item;
        }
        return nullptr;
    };

    core::Currency sum;
    query->sql().clear();
    query->sql() << QStringLiteral("SELECT H1.REC, H2.GROUPM1, H2.KINGAKU FROM KES_HENDOUKEISAN H1")
                 << QStringLiteral("INNER JOIN KES_HENDOUKAMOKU H2 ON (H1.REC=H2.REC)")
                 << QStringLiteral("WHERE H2.GROUPM1=:GROUPM1 AND H2.SUBREC=:SUBREC") << QStringLiteral("ORDER BY H1.REC");
    query->paramByName(QStringLiteral("GROUPM1")).setString(row.KMK.GROUPM1);
    query->paramByName(QStringLiteral("SUBREC")).setInteger(subRec);
    for (query->open(); !query->eof(); query->next()) {
        const auto* assignment = assignmentOf(QString::number(query->fieldByName(QStringLiteral("REC")).asInteger()));
        if (!assignment)
            continue;
        const core::Currency amount = query->fieldByName(QStringLiteral("KINGAKU")).asCurrency();
        const QString reasonName = reasonNameOf(*assignment);
        auto& change = FindOrAppendChange(line, ChangeReasonNames().at(assignment->WariateIndex));
        change.OwnReasonName = assignment->Name;
        change.ReasonName = reasonName;
        change.ReasonAmount = FormatAmount(AmountOf(change.ReasonAmount) + amount);
        sum += amount;
    }
    query->close();

    if (row.KMK.GROUPM1 == kRetainedEarningsGroup && currentPosition_ == lastRetainedEarningsPosition_) {
        if (const auto* assignment = assignmentOf(kNetIncomeReasonKey)) {
            const core::Currency netIncome = netIncomeRow_ ? netIncomeRow_->ZAN : core::Currency{};
            const QString reasonName = reasonNameOf(*assignment);
            auto& change = FindOrAppendChange(line, ChangeReasonNames().at(assignment->WariateIndex));
            change.ReasonName = reasonName;
            change.ReasonAmount = FormatAmount(AmountOf(change.ReasonAmount) + netIncome);
            sum += netIncome;
        }
    }
    line.TotalChanges = FormatAmount(AmountOf(line.TotalChanges) + sum);
}

void WriteChangesStatement(TXmlSaveDoc& doc, IXMLNode data, const THojinZeiKabunusiSisanItemValues& items) {
    IXMLNode statement = doc.AddNode(data, kElemChangesNetAssets, QString(), QString());
    doc.AddTextNode(statement, QStringLiteral("Select"), QString(), QString(), QStringLiteral("1"));
    for (const auto& line : items) {
        if (!line.Used)
            continue;
        IXMLNode item = doc.AddNode(statement, QStringLiteral("ChangesNetAssetsItem"), QString(), QString());
        doc.AddTextNode(item, QStringLiteral("AccountList"), QString(), QString(), line.EquityName);
        doc.AddTextNode(item, QStringLiteral("BalanceEndPreviousPeriod"), QString(), QString(), line.PreviousBalance);
        IXMLNode changes = doc.AddNode(item, QStringLiteral("ChangesItemsDuringPeriod"), QString(), QString());
        doc.AddTextNode(changes, QStringLiteral("TotalChangesItemsDuringPeriod"), QString(), QString(),
                        line.TotalChanges);
        for (const auto& change : line.Changes) {
            IXMLNode changeNode = doc.AddNode(changes, QStringLiteral("ChangesItem"), QString(), QString());
            doc.AddTextNode(changeNode, QStringLiteral("Reason"), QString(), QString(), change.ReasonName);
            doc.AddTextNode(changeNode, QStringLiteral("Amount"), QString(), QString(), change.ReasonAmount);
        }
        doc.AddTextNode(item, QStringLiteral("BalanceEndCurrentPeriod"), QString(), QString(), line.CurrentBalance);
    }
}

} // namespace taxreturn
