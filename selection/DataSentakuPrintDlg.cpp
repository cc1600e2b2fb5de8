#include "selection/DataSentakuPrintDlg.h"

#include "companydata/PrDataList.h"
#include "controls/buttons/TxPlButton.h"
#include "core/Globals.h"
#include "core/ui/MessageService.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

namespace selection {

namespace {
const QString kOrientationKey = QStringLiteral("P010");

void setHint(QWidget* control, const QString& text)
{
    control->setToolTip(text.section(u'|', 0, 0));
    control->setWhatsThis(text.section(u'|', 1));
    control->setProperty("Hint", text);
}
} // namespace

TDataSentakuPrintDlg::TDataSentakuPrintDlg(QWidget* owner)
    : print::TPrintDlgBox(owner)
{
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("用紙向き:"), this));
    auto* group = new QGroupBox(this);
    auto* buttons = new QHBoxLayout(group);
    btnYousiTate = new QRadioButton(QStringLiteral("縦"), group);
    btnYousiYoko = new QRadioButton(QStringLiteral("横"), group);
    btnYousiTate->setChecked(true);
    buttons->addWidget(btnYousiTate);
    buttons->addWidget(btnYousiYoko);
    row->addWidget(group);
    row->addStretch();
    if (auto* box = qobject_cast<QBoxLayout*>(layout()))
        box->insertLayout(1, row); // below the prompt
    resize(width(), 219);
}

void TDataSentakuPrintDlg::Prepare(int mode)
{
    ColorSw = false;
    StartPageSw = false;
    BothSw = false;
    print::TPrintDlgBox::Prepare(mode);
}

void TDataSentakuPrintDlg::LayoutControls()
{
    StyleColorSw = true;
    print::TPrintDlgBox::LayoutControls();
    Orientation = 0;
    btnYousiTate->setChecked(true);
    // The base layout has restored the option list from the stored style.
    for (const QString& line : OptionList) {
        if (line.section(u'=', 0, 0) != kOrientationKey)
            continue;
        Orientation = line.section(u'=', 1).trimmed().toInt() == 1 ? 1 : 0;
    }
    if (Orientation == 1)
        btnYousiYoko->setChecked(true);
}

void TDataSentakuPrintDlg::SetHints()
{
    print::TPrintDlgBox::SetHints();
    const QString orientation = QStringLiteral("印刷帳票の用紙の向きを選択します。|印刷帳票の用紙の向きを選択します。\r\n"
                                               "[横]を選択したときに限り、帳票上にコード情報を出力します。");
    setHint(btnYousiTate, orientation);
    setHint(btnYousiYoko, orientation);
    const QString preview = QStringLiteral("|[ﾌﾟﾚﾋﾞｭｰ]ﾎﾞﾀﾝを押すと画面上に印刷ｲﾒｰｼﾞを出力します。");
    setHint(btnPreview, preview);
    setHint(btnOK, preview);
    setHint(btnCancel, preview);
}

void TDataSentakuPrintDlg::HozonFukugen(const QString& what)
{
    print::TPrintDlgBox::HozonFukugen(what);
    if (!PrintRec || what.compare(u"Hozon", Qt::CaseInsensitive) != 0)
        return;
    // Saving happens on OK, preview and copy: the orientation goes with the options.
    Orientation = btnYousiYoko->isChecked() ? 1 : 0;
    OptionList << QStringLiteral("%1=%2").arg(kOrientationKey).arg(Orientation);
    QString text;
    for (const QString& line : OptionList)
        text += line + QStringLiteral("\r\n");
    PrintRec->OptionText = text;
}

void PrintDataListWithDialog(QWidget* owner, const TListPrintJob& job,
                             const std::function<int(TDataSentakuPrintDlg& dlg)>& show)
{
    print::TDefaultPrintRec printRec;
    TDataSentakuPrintDlg dlg(owner);
    print::TPrintDlgBox::InitDefaultPrintRec(printRec);
    printRec.ReportName = QStringLiteral("DataSentakuList");
    dlg.PrintRec = &printRec;
    dlg.DlgCaption = job.Caption;
    dlg.DlgMessage = job.Prompt;
    dlg.DlgMessageColor = dlg.palette().color(QPalette::WindowText);
    setHint(&dlg, QStringLiteral("［OK］を押すとﾃﾞｰﾀ選択ﾘｽﾄの印刷を実行します。印刷ｲﾒｰｼﾞを確認する場合は［ﾌﾟﾚﾋﾞｭｰ］を押します。|"
                                 "［OK］を押すとﾃﾞｰﾀ選択ﾘｽﾄの印刷を実行します。印刷ｲﾒｰｼﾞを確認する場合は［ﾌﾟﾚﾋﾞｭｰ］を押します。"));
    dlg.PreviewSw = true;
    dlg.CopySw = false;
    dlg.Prepare(1);
    if ((show ? show(dlg) : dlg.exec()) != core::mrOk)
        return;
    if (dlg.PrintAction != 1 && dlg.PrintAction != 2)
        return;
    companydata::TPrDataList printer;
    printer.PrintRec = printRec;
    printer.ServerList = job.ServerList;
    if (job.Rows)
        printer.Rows = *job.Rows;
    if (job.DispOrder)
        printer.DispOrder = *job.DispOrder;
    printer.Orientation = dlg.Orientation;
    printer.PrintDataList(dlg.PrintAction == 1 ? 1 : 0);
}

} // namespace selection

#include "moc_DataSentakuPrintDlg.cpp"
