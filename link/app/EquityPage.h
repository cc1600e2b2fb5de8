#pragma once
// The wizard page "page9": the equity-statement settings. Two switches (create the statement of
// changes in equity, create the general ledger) and two grids that assign each net-assets
// account line of the company to one of the tax-return product's equity items and each change
// reason to one of its change reasons. The page edits the exporter's ChangesSettings; the main
// form calls FillEquitySettingsPage on page-2 Next, CheckPage on page-9 Next and ClearLines on
// every data choice, so that a data set never sees the lines of the one chosen before.
//
// Test seam: ShowPickList shows the pick list and returns its modal result. By default it runs
// the dialog modally; a test replaces it with a function that selects an item (or none) and
// calls btnOKClick, so that no test waits on a modal window.

#include "link/app/JiyuuSentakuDialog.h"

#include <QString>
#include <QWidget>

#include <functional>

class QCheckBox;
class QFrame;
class QLabel;
class QPlainTextEdit;

namespace controls {
class TxGrid;
}
namespace taxreturn {
class THojinZeiDataExport;
class THojinZeiKabunusiSihonHendouKeisansyo;
}

namespace taxlink {

class TEquityPage : public QWidget {
public:
    explicit TEquityPage(QWidget* parent = nullptr);

    // The exporter whose ChangesSettings the page edits and whose GeneralLedgerFlag follows the
    // ledger switch; not owned.
    void SetExporter(taxreturn::THojinZeiDataExport* exporter);
    // The installed accounting product's name, for the grid titles.
    void SetProgramName(const QString& name);
    // Opens the company database when it is not open; set by the form. Unset: the database is
    // taken as open.
    std::function<bool()> EnsureDataOpen;
    // Shows the pick list; returns core::mrOk when the operator confirmed a choice.
    std::function<int(TJiyuuSentakuDialog& dialog)> ShowPickList;

    // Page-2 Next: loads the lines and their settings of the chosen data set into the page
    // (data type 3, medical corporation: no equity statement, the lists stay empty).
    bool FillEquitySettingsPage(int dataType);
    // Page-9 Next: false (after the missing-assignment warning) while the statement is chosen
    // and a line has no assignment.
    bool CheckPage();
    // Forgets the lines of the previous data set: the settings' lists and the grids.
    void ClearLines();

    void SakuseiCheck9Click();
    void JiyuuList8DblClick(controls::TxGrid* grid);
    void JiyuuList8KeyUp(controls::TxGrid* grid, int key, Qt::KeyboardModifiers modifiers);

    QCheckBox* SakuseiCheck9 = nullptr; // 株主資本等変動計算書を作成する
    QCheckBox* MotochoCheck9 = nullptr; // 総勘定元帳を作成する
    QLabel* Label9a = nullptr;          // page caption
    QLabel* Label9b = nullptr;          // caption of the account grid
    QLabel* Label9c = nullptr;          // caption of the reason grid
    QPlainTextEdit* Memo9 = nullptr;    // help
    controls::TxGrid* KamokuList9a = nullptr; // accounts
    controls::TxGrid* KamokuList9b = nullptr; // change reasons
    QWidget* pnlAssignments = nullptr;  // captions, help and grids
    QFrame* pnlHojinIryou = nullptr;    // notice for medical-corporation data

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    taxreturn::THojinZeiKabunusiSihonHendouKeisansyo* Settings() const;
    void FillGrid(controls::TxGrid* grid, bool accounts);

    taxreturn::THojinZeiDataExport* exporter_ = nullptr;
    QString programName_;
};

} // namespace taxlink
