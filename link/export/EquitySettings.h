#pragma once
// The equity-statement link settings: which of the tax-return product's 26 equity items each
// net-assets account line of the company goes to, which of its 15 change reasons each change
// reason of the company goes to, and the two "create" switches (equity statement, general
// ledger). They travel as the INI text "DkRendo.ini" in the work folder. The wizard's settings
// page edits an instance of this class; the statement builder reads its own instance.

#include <QString>
#include <QStringList>
#include <QVector>

namespace taxreturn {

// The tax-return product's names, in the order whose index is stored as WariateIndex.
inline constexpr int kEquityItemCount = 26;
inline constexpr int kChangeReasonCount = 15;
const QStringList& EquityItemNames();   // 26 names, the last the placeholder of an own item
const QStringList& ChangeReasonNames(); // 15 names, the last the placeholder of an own reason
inline const QString kOwnEquityItem = QStringLiteral("※※　独自科目　※※");
inline const QString kOwnChangeReason = QStringLiteral("※※　独自事由　※※");

// The settings file and its keys.
inline const QString kDkRendoIni = QStringLiteral("DkRendo.ini");
inline const QString kSectionEquity = QStringLiteral("HJ_株主資本等変動計算書");
inline const QString kSectionLedger = QStringLiteral("HJ_総勘定元帳");
inline const QString kKeySakuseiKubun = QStringLiteral("SakuseiKubun");
inline const QString kKeyKamokuPrefix = QStringLiteral("HJ21_Kamoku_");
inline const QString kKeyJiyuuPrefix = QStringLiteral("HJ21_Jiyuu_");

// One assignable line: an account line (KGROUP and SUBREC of EXTERKS) or a change reason.
struct THojinZeiWariateItem {
    QString Key;         // accounts: KGROUP + SUBREC ("%s%d"); reasons: REC
    QString Name;        // accounts: print name without blanks; reasons: JIYUU
    QString WariateName; // assigned item or reason name, empty when none
    int WariateIndex = -1;
    QString GroupKey;    // accounts: KGROUP + running number inside the KGROUP, from 1
    QString KGroup;
    int SubRec = 0;
};

class THojinZeiKabunusiSihonHendouKeisansyo {
public:
    // settingsFile: the path of "DkRendo.ini"; empty means the one in the session's work folder,
    // resolved at each use (the object may be made before the session's folders exist).
    explicit THojinZeiKabunusiSihonHendouKeisansyo(const QString& settingsFile = QString());

    int SakuseiKubun = 1; // 1 = create the statement of changes in equity
    int MotochoKubun = 1; // 1 = create the general ledger
    QVector<THojinZeiWariateItem> KamokuItems;
    QVector<THojinZeiWariateItem> JiyuuItems;

    // Fill the lists from the open company database; a failure is shown as an error box and
    // gives false (the list is then empty).
    bool LoadAccounts();
    bool LoadReasons();
    // Reads the switches and the assignments from the settings file (after the two loads);
    // a missing file reads as both switches 1 and nothing assigned.
    void LoadSettings();
    // Writes the switches and every assignment to the settings file; the key of a line without
    // an assignment is removed. Keys of lines that are not in the lists stay.
    void SaveSettings();
    // The statement builder builds the changes only when this is 0; it always is.
    int GetSkipFlag() const { return 0; }

    QString SettingsFile() const;

private:
    QString settingsFile_;
};

// Index of the name in the list by exact match, -1 when absent.
int IndexOfName(const QStringList& names, const QString& name);

} // namespace taxreturn
