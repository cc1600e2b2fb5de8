// The main form's wizard steps: the check on every Next, the data choice, the period rules,
// the summary, the output file, and the Finish that writes the intermediate file.

#include "link/app/Form1.h"

#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "controls/forms/ScreenCursor.h"
#include "controls/kikan/TxKikanPanel16.h"
#include "controls/wizard/TxWizard.h"
#include "core/Globals.h"
#include "core/dates/DateTexts.h"
#include "core/errors/ConnectionLoss.h"
#include "core/os/ShellDialogs.h"
#include "core/ui/MessageService.h"
#include "link/app/DataChoice.h"
#include "link/app/EquityPage.h"
#include "link/app/LinkSettingsStore.h"
#include "link/export/HojinZeiDataExport.h"
#include "link/export/XmlSaveDoc.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace taxlink {

namespace {

const QString kNextCaption = QStringLiteral("次へ(&N) >");

void warn(const QString& text)
{
    core::showMessage(core::MessageKind::Warning, text);
}

QString DkRendoPath()
{
    return core::SystemDef.WorkDir + QStringLiteral("/DkRendo.ini");
}

} // namespace

void TForm1::Wizard1NextClicking(QObject*, bool finalState, bool& allowChange)
{
    if (finalState)
        return;
    allowChange = false;
    const QString page = CurrentPageName();
    if (page == QStringLiteral("page2")) {
        if (!CheckDataChosen())
            return;
        lblKikanComment->setVisible(true);
        if (!page9->FillEquitySettingsPage(core::AccInf.DATATYPE))
            return;
        allowChange = true;
    } else if (page == QStringLiteral("page3")) {
        ApplyPeriodRulesToPanel(QStringLiteral("期中開始のため、計算対象期間は通期に設定します。\r"));
        // Without the output page the summary is built here.
        if (!Edit4a)
            BuildSummary();
        allowChange = true;
    } else if (page == QStringLiteral("page4")) {
        switch (CheckOutputFile(Edit4a->text())) {
        case TOutputFileCheck::Empty:
            warn(QStringLiteral("中間ﾌｧｲﾙが指定されていません。\r指定してから[次へ]をｸﾘｯｸしてください。\r"));
            Button2->setText(kNextCaption);
            return;
        case TOutputFileCheck::InRoot:
            warn(QStringLiteral("ｼｽﾃﾑﾄﾞﾗｲﾌﾞ(%1)直下にﾌｧｲﾙは指定できません。\r").arg(SystemDrive)
                 + QStringLiteral("別のﾄﾞﾗｲﾌﾞまたはﾌｫﾙﾀﾞを指定してから[次へ]をｸﾘｯｸしてください。\r"));
            Button2->setText(kNextCaption);
            return;
        case TOutputFileCheck::Ok:
            break;
        }
        BuildSummary();
        allowChange = true;
    } else if (page == QStringLiteral("page9")) {
        allowChange = page9->CheckPage();
    } else {
        allowChange = true;
    }
}

bool TForm1::CheckDataChosen()
{
    if (core::SystemDef.DataFolder.isEmpty() || listDataInfo->topLevelItemCount() == 0) {
        warn(QStringLiteral("会計データの選択が行われていません。\r「データ選択を開く」ボタンを押して選択して下さい。"));
        btnDataSentaku->setFocus();
        return false;
    }
    const core::TACCINF& acc = core::AccInf;
    xKikanPanel3a->SetKikan(acc.SIME, acc.KISHU, acc.KIMATU, acc.KAISI.isValid() ? acc.KAISI : acc.KISHU);
    xKikanPanel3a->SetStno(acc.StartPeriodIndex);
    xKikanPanel3a->SetEdno(xKikanPanel3a->LastNo());
    if (acc.TAXDEFUH == 0)
        RadioButton3a->setChecked(true);
    else if (acc.TAXDEFUH == 1)
        RadioButton3b->setChecked(true);

    taxreturn::THojinZeiDataExport& ex = *Exporter;
    ex.DataFolder = core::SystemDef.DataFolder;
    ex.KomonsakiName = acc.SHOUGOU;
    ex.Nendo = acc.NENDO;
    ex.KishuDate = acc.KISHU;
    ex.KimatuDate = acc.KIMATU;
    ex.SimeDay = acc.SIME;
    ex.StartPeriod = acc.StartPeriodIndex;
    ex.EndPeriod = xKikanPanel3a->LastNo();
    ex.LastPeriod = xKikanPanel3a->LastNo();
    ex.TaxMode = RadioButton3b->isChecked() ? 1 : 0;
    ex.TaxKanni = acc.TAXKANNI;
    ex.TaxJigyou = acc.TAXJIGYOU;
    ex.DataKind = acc.DATATYPE;
    ex.CodeKind = acc.CODETYPE;
    ex.SyotokuSyurui = 0;
    return true;
}

void TForm1::xKikanPanel3aMouseUp()
{
    ApplyPeriodRulesToPanel(QStringLiteral("期中開始のため、計算対象期間は「通期」を設定します。\r"));
}

void TForm1::ApplyPeriodRulesToPanel(const QString& midYearNotice)
{
    const TPeriodSelection chosen = ApplyPeriodRules(core::AccInf.StartPeriodIndex, core::AccInf.KAISINO,
                                                     xKikanPanel3a->Stno(), xKikanPanel3a->Edno());
    xKikanPanel3a->SetStno(chosen.First);
    xKikanPanel3a->SetEdno(chosen.Last);
    if (chosen.MidYearNotice)
        core::showMessage(core::MessageKind::Information, midYearNotice);
}

QDate TForm1::PeriodDate(const QString& which) const
{
    return taxlink::PeriodDate(which, core::AccInf.KISHU, core::AccInf.SIME, xKikanPanel3a->Stno(),
                               xKikanPanel3a->Edno(), xKikanPanel3a->LastNo());
}

void TForm1::BuildSummary()
{
    taxreturn::THojinZeiDataExport& ex = *Exporter;
    ex.StartPeriod = xKikanPanel3a->Stno();
    ex.EndPeriod = xKikanPanel3a->Edno();
    ex.LastPeriod = xKikanPanel3a->LastNo();
    ex.TaxMode = RadioButton3a->isChecked() ? 0 : 1;
    if (Edit4a)
        ex.ExportFile = ResolveExportFile(Edit4a->text(), DocumentsDir);

    TSummaryInput input;
    input.CompanyName = core::AccInf.SHOUGOU;
    input.Nendo = core::AccInf.NENDO;
    input.PeriodStartText = core::FormatDateTextNen(QStringLiteral("yyyy年m月d日"), 1, core::AccInf.KISHU);
    input.PeriodEndText = core::FormatDateTextNen(QStringLiteral("yyyy年m月d日"), 1, core::AccInf.KIMATU);
    input.FirstMonth = PeriodDate(QStringLiteral("START"));
    input.LastMonth = PeriodDate(QStringLiteral("END"));
    input.SameSlot = xKikanPanel3a->Stno() == xKikanPanel3a->Edno();
    input.TaxMode = ex.TaxMode;
    input.ExportFile = ex.ExportFile;
    Memo5b->clear();
    Memo5b->setPlainText(BuildSummaryLines(input).join(QLatin1Char('\n')));
}

void TForm1::Wizard1PageChanged()
{
    if (CurrentPageName() == QStringLiteral("page2") && listDataInfo->topLevelItemCount() == 0)
        btnDataSentaku->setFocus();
}

void TForm1::BitBtn4aClick()
{
    if (!Edit4a)
        return;
    core::TSaveDialog dialog;
    dialog.Title = QStringLiteral("中間ﾌｧｲﾙの指定");
    dialog.InitialDir = DocumentsDir;
    dialog.Filter = QStringLiteral("中間ﾌｧｲﾙ (*.xml)|*.XML|すべてのﾌｧｲﾙ(*.*)|*.*");
    dialog.DefaultExt = QStringLiteral("xml");
    if (QFileInfo(Edit4a->text()).isFile())
        dialog.FileName = Edit4a->text();
    if (std::optional<QString> chosen = core::shellDialogs().runSaveDialog(dialog))
        Edit4a->setText(*chosen);
}

void TForm1::btnCancelClick()
{
    const int answer = core::showMessage(
        core::MessageKind::Information,
        QStringLiteral("[キャンセル]ボタンが押されました。\r連動データの作成ウィザードを終了してもよろしいですか？\r"),
        core::mbYesNo);
    if (answer != core::mrYes)
        return;
    ResultCode = 1;
    closedByProgram_ = true;
    close();
}

void TForm1::btnDataSentakuClick()
{
    // The lines of the previous data set must not be carried into the next one.
    page9->ClearLines();
    if (DataChoice->ConnectChosenData(3, true)) {
        listDataInfo->clear();
        // "key=value" lines as rows of the value list.
        for (const QString& line : DataChoice->DataInfoLines())
            listDataInfo->addTopLevelItem(
                new QTreeWidgetItem({line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1)}));
        LoadLinkSettings(DkRendoPath());
    }
    if (DataChoice->DataConnected && !core::SystemDef.DataFolder.isEmpty())
        return;
    listDataInfo->clear();
    DataChoice->CloseData();
}

void TForm1::Wizard1NextClick(QObject*, bool finalState)
{
    if (!finalState)
        return;
    if (Exporter->ChangesSettings)
        Exporter->ChangesSettings->SaveSettings();

    controls::TxAnimeProgressDialog progress;
    progress.SetCaption(QStringLiteral("連動データの作成中"));
    progress.SetInfoLabel(QStringLiteral("連動データの作成中です…"));
    progress.SetAviFile(core::SystemDef.ExeDir + QStringLiteral("/progress.avi"));
    progress.SetCancelBtnShow(false);
    progress.Show(this);
    controls::SetBusyScreenCursor();

    int outcome = 4;
    QString unexpected;
    try {
        outcome = RunExport();
    } catch (const std::exception& error) {
        unexpected = QString::fromUtf8(error.what());
    } catch (...) {
        unexpected = QStringLiteral("不明なエラー");
    }
    try {
        StoreLinkSettings(DkRendoPath());
    } catch (...) {
        // The file is written; only the copy kept with the data set failed.
    }
    progress.Close();
    controls::ResetScreenCursor();
    // A lost server connection, told once, ends the program as a failed export does; the
    // messages of the failure that follow from it are not shown.
    if (core::ProgramEnding() && outcome != 1)
        outcome = 4;

    switch (outcome) {
    case 1:
        if (CallerWnd == 0)
            core::showMessage(core::MessageKind::Information, QStringLiteral("中間ファイルが作成されました。\r"));
        ResultCode = 0;
        closedByProgram_ = true;
        close();
        break;
    case 3:
        ResultCode = 1;
        break;
    default:
        core::showMessage(core::MessageKind::Error, QStringLiteral("中間ファイルの作成に失敗しました。\r"));
        if (!unexpected.isEmpty())
            core::showMessage(core::MessageKind::Error, unexpected);
        ResultCode = 2;
        closedByProgram_ = true;
        close();
        break;
    }
}

int TForm1::RunExport()
{
    taxreturn::TXmlSaveDoc doc(QStringLiteral("1.0"), QStringLiteral("Shift_JIS"), QString());
    try {
        Exporter->SetSystemNode(doc);
        Exporter->SetBasicNode(doc);
        Exporter->SetDataNode(doc);
        doc.SaveToFile(Exporter->ExportFile);
        return 1;
    } catch (const taxreturn::EDataExportError& error) {
        if (auto* progress = qobject_cast<controls::TxAnimeProgressDialog*>(core::SystemDef.ProgressDialog.data()))
            progress->SetAnimeActive(false);
        const QString text = error.message() + QLatin1Char('\r') + error.Detail + QLatin1Char('\r');
        if (error.ErrorCode == 16 || error.ErrorCode == 6) {
            core::showMessage(core::MessageKind::Information, text);
            return 3;
        }
        core::showMessage(core::MessageKind::Error, text);
        return 4;
    }
}

} // namespace taxlink
