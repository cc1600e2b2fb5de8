// F8 of the shared-data selection: the shared-data list as it is shown printed or previewed
// through the list print dialog.
#include "selection/ServerSentakuBox.h"

#include "controls/grid/TxGrid.h"
#include "selection/DataSentakuPrintDlg.h"

namespace selection {

void TServerSentakuBox::PrintList()
{
    if (Grid->RowCount() == 0) {
        controls::TMessage2InfoRec info;
        controls::InitMessage2Info(2, info);
        info.Lines[0].Text = QStringLiteral("共有データリストが表示されていません。");
        ShowBox2(info);
        return;
    }
    TListPrintJob job;
    job.Caption = QStringLiteral("共有データリストの印刷");
    job.Prompt = QStringLiteral("共有データリストを印刷します。");
    job.ServerList = 1;
    job.Rows = &List.Records;
    job.DispOrder = &List.DispIndex;
    PrintDataListWithDialog(this, job, ShowPrintDlg);
}

} // namespace selection
