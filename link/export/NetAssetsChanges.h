#pragma once
// The statement of changes in net assets of corporation data: the net-assets account rows of
// the balance array grouped into the tax-return product's equity items, each with the change
// reasons stored in the company database (KES_HENDOUKEISAN, KES_HENDOUKAMOKU) grouped into the
// product's change reasons, as the equity-statement settings assign them. Written as
// StatementChangesNetAssets.

#include "link/export/EquitySettings.h"
#include "link/export/StatementElements.h"
#include "link/export/XmlSaveDoc.h"

#include <QList>
#include <QString>

namespace taxreturn {

// The information the exporter gives for an equity line or change reason without assignment
// (code 6): the operator goes back to the settings page.
inline const QString kChangesMismatchMessage = QStringLiteral(
    "株主資本等変動計算書に項目の不整合がありました。\rウィザード画面の[戻る]ボタンで設定ページに戻り、"
    "不整合項目を見直して下さい。\r\r見直さずに終了するには、ウィザード画面の[キャンセル]ボタンを押してください。");

// One change reason of an equity line.
struct THojinZeiHendouJiyuuItemValue {
    QString OwnReasonName;
    QString ReasonName;
    QString ReasonAmount;
};

// One line of the statement.
struct THojinZeiKabunusiSisanItemValue {
    bool Used = false;
    QString AccountName;
    QString EquityName;
    QString PreviousBalance;
    QString TotalChanges;
    QList<THojinZeiHendouJiyuuItemValue> Changes;
    QString CurrentBalance;
};
using THojinZeiKabunusiSisanItemValues = QList<THojinZeiKabunusiSisanItemValue>;

// The twelve net-assets group codes that make equity lines.
bool IsEquityGroupCode(const QString& groupCode);

class TNetAssetsChangesBuilder {
public:
    // settingsFile: "DkRendo.ini" (empty: the session's work folder). netIncomeRow: the
    // statement computation's net-income total row (nullptr when there is none).
    TNetAssetsChangesBuilder(TBalanceRowsView rows, const statements::TBALANCE* netIncomeRow,
                             const QString& settingsFile = QString());

    int ChangesFlag = 0;       // the settings file's SakuseiKubun
    int GeneralLedgerFlag = 0; // the settings file's MotochoKubun
    THojinZeiKabunusiSisanItemValues EquityItems;

    // Loads the settings, sets both flags and, when the statement is chosen, builds the lines
    // on the company database (its transaction is started and committed here when none is
    // active). A net-assets row or a stored change whose account or reason has no assignment
    // raises EDataExportError code 6 with the line's name as detail. Database errors pass on.
    void MakeChangesStatement();

    // The settings the statement was built with (for tests).
    const THojinZeiKabunusiSihonHendouKeisansyo& Settings() const { return settings_; }

private:
    void AddEquityItem(int counter, const statements::TBALANCE& row);
    void AddChangeReasons(int line, int subRec, const statements::TBALANCE& row);
    THojinZeiHendouJiyuuItemValue& FindOrAppendChange(THojinZeiKabunusiSisanItemValue& line,
                                                       const QString& reasonName);

    TBalanceRowsView rows_;
    const statements::TBALANCE* netIncomeRow_ = nullptr;
    THojinZeiKabunusiSihonHendouKeisansyo settings_;
    int lastRetainedEarningsPosition_ = -1; // statement position of the last "3340" row
    int currentPosition_ = -1;              // statement position of the row being added
};

// Writes StatementChangesNetAssets under DATA: Select "1", then every used line.
void WriteChangesStatement(TXmlSaveDoc& doc, IXMLNode data, const THojinZeiKabunusiSisanItemValues& items);

} // namespace taxreturn
