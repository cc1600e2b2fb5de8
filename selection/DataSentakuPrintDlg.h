#pragma once
// The print dialog of the data lists (the data selection's and the shared-data selection's): the
// common print dialog reduced to print and preview, with the paper orientation, which is kept
// with the operator's print style as the option line "P010=<0 portrait, 1 landscape>". Only a
// landscape list prints the code column.

#include "companydata/DataListRec.h"
#include "print/PrintDlgBox.h"

#include <functional>

class QRadioButton;

namespace selection {

class TDataSentakuPrintDlg : public print::TPrintDlgBox {
    Q_OBJECT
public:
    explicit TDataSentakuPrintDlg(QWidget* owner = nullptr);

    int Orientation = 0; // 0 portrait (縦), 1 landscape (横)

    QRadioButton* btnYousiTate = nullptr;
    QRadioButton* btnYousiYoko = nullptr;

    void Prepare(int mode) override;
    void LayoutControls() override;
    void SetHints() override;
    void HozonFukugen(const QString& what) override;
};

// One list print: the dialog's texts and the list's records in the shown order.
struct TListPrintJob {
    QString Caption;
    QString Prompt;
    qint32 ServerList = 0; // 1: the shared-data list
    const companydata::TDataSentakuRecArray* Rows = nullptr;
    const companydata::TDataSentakuRecDispArray* DispOrder = nullptr;
};

// Opens the list print dialog (through show, a modal run unless replaced) and prints or
// previews the rows of the display order, in that order, as the operator chose.
void PrintDataListWithDialog(QWidget* owner, const TListPrintJob& job,
                             const std::function<int(TDataSentakuPrintDlg& dlg)>& show);

} // namespace selection
