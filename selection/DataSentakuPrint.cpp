// F8 of the data selection: the list as it is shown (only the rows the search leaves, in the
// shown order) printed or previewed through the list print dialog.
#include "selection/DataSentakuBox.h"

#include "controls/grid/TxGrid.h"
#include "core/ui/MessageService.h"
#include "selection/DataSentakuList.h"
#include "selection/DataSentakuPrintDlg.h"

namespace selection {

void TDataSentakuBox::PrintList()
{
    if (Grid->RowCount() == 0) {
        core::showMessage(core::MessageKind::Information, QStringLiteral("データリストが絞り込みにより表示されていません。\r"),
                          core::mbYes);
        return;
    }
    TListPrintJob job;
    job.Caption = QStringLiteral("データリストの印刷");
    job.Prompt = QStringLiteral("データリストを印刷します。");
    job.ServerList = 0;
    job.Rows = &List.Records;
    job.DispOrder = &List.DispIndex;
    PrintDataListWithDialog(this, job, ShowPrintDlg);
}

} // namespace selection
