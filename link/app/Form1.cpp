// The main form's creation: the caller argument, the application information, the exporter,
// the version check and the wizard's pages with their texts.

#include "link/app/Form1.h"

#include "controls/dialogs/DialogThemeColors.h"
#include "controls/kikan/TxKikanPanel16.h"
#include "controls/wizard/TxWizard.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/files/SystemFolders.h"
#include "core/session/Identity.h"
#include "core/ui/MessageService.h"
#include "link/app/DataChoice.h"
#include "link/app/EquityPage.h"
#include "link/app/ModuleLaunch.h"
#include "link/export/HojinZeiDataExport.h"
#include "platform/CallerLink.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTreeWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace taxlink {

namespace {

const QString kEndSuffix = QStringLiteral("アプリケーションを強制終了します。");

QPlainTextEdit* readOnlyMemo(QWidget* parent)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setReadOnly(true);
    return memo;
}

QWidget* newPage(const QString& name)
{
    auto* page = new QWidget;
    page->setObjectName(name);
    return page;
}

} // namespace

TForm1::TForm1(const QString& programFile, const QStringList& arguments, QWidget* parent)
    : QWidget(parent)
    , programFile_(programFile)
{
    setAttribute(Qt::WA_DeleteOnClose);
    resize(771, 543);
    // Centred on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate(arguments);
}

void TForm1::EndWithMessage(const QString& text)
{
    core::showMessage(core::MessageKind::Error, text);
    // The caller's window was disabled when its argument was read: it must not stay so. It is
    // told 2 on its own message number only; without one it is just enabled again.
    if (CallerWnd != 0) {
        platform::setForegroundWindow(CallerWnd);
        platform::enableWindow(CallerWnd, true);
        if (callerMsgKnown_)
            platform::postMessageToWindow(CallerWnd, CallerMsg, CallerParam, 2);
    }
    endAtOnce_ = true;
}

void TForm1::FormCreate(const QStringList& arguments)
{
    InstallHostHooks();
    SystemDrive = QStringLiteral("/");
    ResultCode = 2;
    BuildPages();

    if (arguments.size() > 1) {
        EndWithMessage(QStringLiteral("不正な引数が渡されました。\r\r") + kEndSuffix);
        return;
    }
    if (arguments.size() == 1) {
        const TCallerArgument caller = ParseCallerArgument(arguments.first());
        CallerWnd = caller.Wnd;
        callerMsgKnown_ = caller.MsgValid;
        if (caller.MsgValid)
            CallerMsg = caller.Msg;
        if (!caller.Valid) {
            EndWithMessage(QStringLiteral("不正な引数が渡されました。\r\r") + kEndSuffix);
            return;
        }
        CallerMsg = caller.Msg;
        CallerParam = caller.Param;
        CallerPath = caller.Path;
        platform::enableWindow(CallerWnd, false);
        // Without a path from the caller the output page stays: the operator sees and confirms
        // where the file goes (the path remembered in Diru.ini is offered).
        if (!CallerPath.isEmpty()) {
            Wizard1->DeletePage(QStringLiteral("page4"));
            // The page's controls went with it.
            Label4a = Label4b = nullptr;
            Edit4a = nullptr;
            BitBtn4a = nullptr;
        }
    }

    switch (core::LoadAppInfo(programFile_, core::AppInfo)) {
    case 1:
        break;
    case 0:
        EndWithMessage(QStringLiteral("アプリケーションの設定ファイル(AppInfo.ini)が見つかりませんでした。\r") + kEndSuffix);
        return;
    case -1:
        EndWithMessage(QStringLiteral("アプリケーションの設定ファイル(AppInfo.ini)の値を参照できませんでした。\r") + kEndSuffix);
        return;
    default:
        EndWithMessage(QStringLiteral("アプリケーションの設定ファイル(AppInfo.ini)を参照できませんでした。\r") + kEndSuffix);
        return;
    }
    if (core::AppInfo.OEM == core::kPashtelEdition)
        core::EditionFlag = 1;
    ApplyAppInfo();

    Exporter = std::make_unique<taxreturn::THojinZeiDataExport>(int(CallerParam), CallerPath);
    Exporter->CreateChangesSettings();
    if (Exporter->ProductTitle.isEmpty()) {
        EndWithMessage(QStringLiteral("起動情報の初期化に失敗しました。") + kEndSuffix);
        return;
    }
    if (!CompareVersion(Exporter->ProgramVer, Exporter->RequiredVersion)) {
        EndWithMessage(QStringLiteral("このアプリケーションはインストールされている「") + core::AppInfo.AppTitle
                       + QStringLiteral("」のバージョンに対応していません。\rバージョン:") + Exporter->RequiredVersion
                       + QStringLiteral("以降をインストールしてください。\r\r") + kEndSuffix);
        return;
    }

    DocumentsDir = core::GetMyDocumentsDir();
    DataChoice = std::make_unique<TDataChoice>(this, *Exporter);
    setWindowTitle(Exporter->Caption);
    SetWizardTexts();
}

void TForm1::ApplyAppInfo()
{
    core::CopyAppInfoToIdentity(core::AppInfo);
    if (core::EditionFlag == 1 || core::EditionFlag == 2) {
        // $F2FFEE, $D6FFC8, $008000 as the dialogs keep them.
        controls::DialogThemeColors.Light = 0xEEFFF2;
        controls::DialogThemeColors.Medium = 0xC8FFD6;
        controls::DialogThemeColors.Strong = 0x008000;
    }
}

void TForm1::BuildPages()
{
    Wizard1 = new controls::TxWizard(this);

    QWidget* page1 = newPage(QStringLiteral("page1"));
    Memo1a = readOnlyMemo(page1);
    Memo1b = readOnlyMemo(page1);
    auto* layout1 = new QVBoxLayout(page1);
    layout1->addWidget(Memo1a);
    layout1->addWidget(Memo1b, 1);

    QWidget* page2 = newPage(QStringLiteral("page2"));
    Label2a = new QLabel(page2);
    Label2c = new QLabel(page2);
    // A value list: one row per value, the key and the value in two columns under a title row.
    listDataInfo = new QTreeWidget(page2);
    listDataInfo->setColumnCount(2);
    listDataInfo->setHeaderLabels({QStringLiteral("項目"), QStringLiteral("内容")});
    listDataInfo->setRootIsDecorated(false);
    listDataInfo->setItemsExpandable(false);
    listDataInfo->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    listDataInfo->header()->setStretchLastSection(true);
    btnDataSentaku = new QPushButton(QStringLiteral("データ選択を開く"), page2);
    auto* layout2 = new QVBoxLayout(page2);
    layout2->addWidget(Label2a);
    layout2->addWidget(btnDataSentaku, 0, Qt::AlignLeft);
    layout2->addWidget(Label2c);
    layout2->addWidget(listDataInfo, 1);

    QWidget* page3 = newPage(QStringLiteral("page3"));
    Label3a = new QLabel(QStringLiteral("計算条件を指定してください。"), page3);
    Label3b = new QLabel(page3);
    lblKikanComment = new QLabel(
        QStringLiteral("期首月～６ヶ月目までを選ぶと上期、７ヶ月目以降を選ぶと通期として処理します。"), page3);
    lblKikanComment->setVisible(false);
    auto* kikanGroup = new QGroupBox(QStringLiteral("計算対象期間"), page3);
    xKikanPanel3a = new controls::TxKikanPanel16(kikanGroup);
    (new QVBoxLayout(kikanGroup))->addWidget(xKikanPanel3a, 0, Qt::AlignLeft);
    auto* taxGroup = new QGroupBox(QStringLiteral("消費税計算区分"), page3);
    RadioButton3a = new QRadioButton(QStringLiteral("税込み"), taxGroup);
    RadioButton3b = new QRadioButton(QStringLiteral("税抜き"), taxGroup);
    auto* taxLayout = new QHBoxLayout(taxGroup);
    taxLayout->addWidget(RadioButton3a);
    taxLayout->addWidget(RadioButton3b);
    taxLayout->addStretch();
    auto* layout3 = new QVBoxLayout(page3);
    layout3->addWidget(Label3a);
    layout3->addWidget(Label3b);
    layout3->addWidget(kikanGroup);
    layout3->addWidget(lblKikanComment);
    layout3->addWidget(taxGroup);
    layout3->addStretch();

    page9 = new TEquityPage;
    page9->setObjectName(QStringLiteral("page9"));

    QWidget* page4 = newPage(QStringLiteral("page4"));
    Label4a = new QLabel(page4);
    Label4b = new QLabel(page4);
    auto* fileGroup = new QGroupBox(QStringLiteral("中間ﾌｧｲﾙ"), page4);
    Edit4a = new QLineEdit(fileGroup);
    BitBtn4a = new QPushButton(QStringLiteral("参照"), fileGroup);
    auto* fileLayout = new QHBoxLayout(fileGroup);
    fileLayout->addWidget(Edit4a, 1);
    fileLayout->addWidget(BitBtn4a);
    auto* layout4 = new QVBoxLayout(page4);
    layout4->addWidget(Label4a);
    layout4->addWidget(Label4b);
    layout4->addWidget(fileGroup);
    layout4->addStretch();

    QWidget* page5 = newPage(QStringLiteral("page5"));
    Memo5a = readOnlyMemo(page5);
    Memo5a->setPlainText(QStringLiteral("以上で設定が完了しました。\n内容を確認し、よろしければ[完了]をクリックしてください。"));
    Memo5b = readOnlyMemo(page5);
    // The summary's texts line up their colons in a fixed-pitch face.
    QFont fixedPitch;
    fixedPitch.setFamilies({QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic")});
    fixedPitch.setStyleHint(QFont::TypeWriter);
    fixedPitch.setFixedPitch(true);
    Memo5b->setFont(fixedPitch);
    auto* layout5 = new QVBoxLayout(page5);
    layout5->addWidget(Memo5a);
    layout5->addWidget(Memo5b, 1);

    // Form order; the pages this program never shows are removed below.
    for (QWidget* page : {page1, page2, page3, newPage(QStringLiteral("page10")), newPage(QStringLiteral("page6")),
                          newPage(QStringLiteral("page7")), static_cast<QWidget*>(page9),
                          newPage(QStringLiteral("page8")), page4, page5})
        Wizard1->addWidget(page);

    Button1 = new QPushButton(QStringLiteral("< 戻る(&B)"), this);
    Button2 = new QPushButton(QStringLiteral("次へ(&N) >"), this);
    btnCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    Wizard1->SetBackButtonCap(QStringLiteral("< 戻る(&B)"));
    Wizard1->SetNextButtonCap(QStringLiteral("次へ(&N) >"));
    Wizard1->SetNextButtonFinCap(QStringLiteral("完了(&F)"));
    Wizard1->SetBackButton(Button1);
    Wizard1->SetNextButton(Button2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addSpacing(12);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Wizard1, 1);
    layout->addLayout(buttons);

    Wizard1->OnNextClicking = [this](QObject* sender, bool finalState, bool& allow) {
        Wizard1NextClicking(sender, finalState, allow);
    };
    Wizard1->OnNextClick = [this](QObject* sender, bool finalState) { Wizard1NextClick(sender, finalState); };
    connect(Wizard1, &QStackedWidget::currentChanged, this, [this] { Wizard1PageChanged(); });
    connect(btnDataSentaku, &QPushButton::clicked, this, [this] { btnDataSentakuClick(); });
    connect(BitBtn4a, &QPushButton::clicked, this, [this] { BitBtn4aClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    xKikanPanel3a->OnMouseUp = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        xKikanPanel3aMouseUp();
    };

    Wizard1->DeletePage(QStringLiteral("page6"));
    Wizard1->DeletePage(QStringLiteral("page7"));
    Wizard1->DeletePage(QStringLiteral("page8"));
    Wizard1->DeletePage(QStringLiteral("page10"));
    Wizard1->SetPageIndex(0);
}

void TForm1::SetWizardTexts()
{
    const QString programName = Exporter->ProgramName;
    const QString productTitle = Exporter->ProductTitle;
    Memo1a->clear();
    Memo1a->appendPlainText(CallerWnd != 0
                                ? QStringLiteral("『%1』から『%2』へデータの連動を行います。").arg(programName, productTitle)
                                : QStringLiteral("『%1』から『%2』へデータを連動させるための中間ファイルを作成します。")
                                      .arg(programName, productTitle));
    Memo1b->clear();
    Memo1b->appendPlainText(QStringLiteral("『%1』が起動している場合は終了してください。").arg(programName));
    Memo1b->appendPlainText(QString());
    Memo1b->appendPlainText(QString());
    Memo1b->appendPlainText(QStringLiteral("作成を始めるには[次へ]をクリックしてください。"));
    Label2a->setText(QStringLiteral("連動元となる対象データを「データ選択を開く」ボタンを押して指定します。"));
    if (Label4a)
        Label4a->setText(QStringLiteral("連動先となる『%1』で使用する中間ファイルを指定します。").arg(productTitle));

    // The start slot is fixed for this kind.
    xKikanPanel3a->setEnabled(false);
    xKikanPanel3a->setEnabled(true);
    xKikanPanel3a->SetKikanMove(false);
    page9->SetExporter(Exporter.get());
    page9->SetProgramName(programName);
    page9->EnsureDataOpen = [this] {
        if (core::DM && core::DM->IBDatabaseDAT.connected())
            return true;
        return core::DM && core::DM->fnAccDatConnected(core::SystemDef.HOSTNAME, core::SystemDef.DataFolder, 1);
    };
    page9->SakuseiCheck9->setChecked(true);
    page9->SakuseiCheck9Click();
    page9->MotochoCheck9->setChecked(true);
    if (Edit4a)
        Edit4a->setText(Exporter->ExportFile);
}

QString TForm1::CurrentPageName() const
{
    QWidget* page = Wizard1->currentWidget();
    return page ? page->objectName() : QString();
}

} // namespace taxlink
