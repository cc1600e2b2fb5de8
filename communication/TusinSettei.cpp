#include "communication/TusinSettei.h"

#include "communication/ConIdFields.h"
#include "communication/DataTusin.h"
#include "communication/WebPages.h"
#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/FbAccessError.h"
#include "core/modules/ManualPage.h"
#include "core/modules/ModuleRegistry.h"
#include "core/net/NetSettings.h"
#include "core/settings/AccReg.h"
#include "core/text/SjisText.h"
#include "core/ui/MessageService.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace communication {

namespace {

const QString kNoLine = QStringLiteral("領域選択：　　 No. --");
const QString kIdLength = QStringLiteral("通信ＩＤを設定する場合はスペース無しの英数12桁で入力して下さい。(-を含めると14桁)");

bool IsPartner()
{
    return core::AppInfo.OEM == core::kPashtelEdition;
}

QString ParamValue(const QStringList& lines, const QString& name, bool* present)
{
    *present = false;
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).trimmed().compare(name, Qt::CaseInsensitive) == 0) {
            *present = true;
            return line.mid(eq + 1).trimmed();
        }
    }
    return QString();
}

// The stored ID as shown: twelve characters after removing the blanks, in three groups of four.
QString ShownId(const QString& stored)
{
    const QString id = core::DeleteAllSpaces(stored);
    if (id.size() != 12)
        return QString();
    return id.mid(0, 4) + QLatin1Char('-') + id.mid(4, 4) + QLatin1Char('-') + id.mid(8, 4);
}

} // namespace

void RegisterTusinSetteiModule()
{
    core::RegisterModuleForm(core::ModuleFormClass<TfrmTusinSettei>(), QStringLiteral("VxTusinSettei"));
}

TfrmTusinSettei::TfrmTusinSettei(QWidget* owner)
    : controls::TBSDI(owner, bsDialog)
{
    setObjectName(QStringLiteral("frmTusinSettei"));
    setWindowTitle(QStringLiteral("通信設定"));
    HostMenuSw = true;
    RirekiSw = true;
    AccInfoSw = true;
    FormSizeSw = false;
    // The caller (or the launcher) holds the form; closing hides it.
    KeepOnClose = true;
    resize(620, 393);
    NewDataTusin = [](QWidget* o) { return std::make_unique<TfmDataTusin>(o); };

    auto* layout = new QVBoxLayout(this);
    RadioButton1 = new QRadioButton(QStringLiteral("クラウドシェアを利用する"), this);
    RadioButton2 = new QRadioButton(QStringLiteral("クラウドシェアを利用しない"), this);
    RadioButton2->setChecked(true);
    layout->addWidget(RadioButton1);
    layout->addWidget(RadioButton2);
    auto* grid = new QGridLayout;
    QFont editFont(QStringLiteral("Noto Sans CJK JP"));
    editFont.setPixelSize(16);
    const TConIdFields id = AddConIdFields(this, *grid, 0);
    txtConID = id.id;
    txtConPasswd = id.password;
    txtConID->setFont(editFont);
    txtConPasswd->setFont(editFont);
    layout->addLayout(grid);
    Label5 = new QLabel(kNoLine, this);
    btnKyouyu = new QPushButton(QStringLiteral("クラウドシェア領域を選択"), this);
    layout->addWidget(Label5);
    layout->addWidget(btnKyouyu);
    CheckBox1 = new QCheckBox(this);
    xURLButton = new QPushButton(QStringLiteral("ログイン画面を表示"), this);
    layout->addWidget(CheckBox1);
    layout->addWidget(xURLButton);
    HintArea = new QPlainTextEdit(this);
    HintArea->setReadOnly(true);
    HintMemo = HintArea;
    layout->addWidget(HintArea);
    auto* keys = new QHBoxLayout;
    auto* esc = new QPushButton(QStringLiteral("ESC:ｷｬﾝｾﾙ"), this);
    auto* f1 = new QPushButton(QStringLiteral("F1:ヘルプ"), this);
    auto* f12 = new QPushButton(QStringLiteral("F12:閉じる"), this);
    keys->addWidget(esc);
    keys->addWidget(f1);
    keys->addStretch();
    keys->addWidget(f12);
    layout->addLayout(keys);
    for (QWidget* w : std::initializer_list<QWidget*>{RadioButton1, RadioButton2, Label5, btnKyouyu})
        w->hide();

    connect(esc, &QPushButton::clicked, this, &TfrmTusinSettei::EscClick);
    connect(f12, &QPushButton::clicked, this, &TfrmTusinSettei::F12Click);
    connect(f1, &QPushButton::clicked, this, [this] {
        core::OpenManualPage(SyoriType == 2 ? QStringLiteral("tsusin08.html")
                             : (SyoriType == 5 || SyoriType == 6) && core::ConnectMode != 2 ? QStringLiteral("cloudshare.html")
                                                                                          : QStringLiteral("tsusin05.html"));
    });
    connect(btnKyouyu, &QPushButton::clicked, this, &TfrmTusinSettei::KyouyuClick);
    connect(xURLButton, &QPushButton::clicked, this, &TfrmTusinSettei::URLButtonClick);
    txtConID->installEventFilter(this);
    txtConPasswd->installEventFilter(this);
    InitOK = true;
}

TfrmTusinSettei::~TfrmTusinSettei() = default;

bool TfrmTusinSettei::KeyPasses(QChar c)
{
    const char16_t u = c.unicode();
    return u == 13 || u == 3 || u == 8 || u == 22 || (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

bool TfrmTusinSettei::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.size() == 1 && !KeyPasses(text.at(0)))
            return true;
    } else if (event->type() == QEvent::FocusOut) {
        if (watched == txtConPasswd)
            PasswordExit();
        else if (watched == txtConID)
            ConIdExit();
    }
    return controls::TBSDI::eventFilter(watched, event);
}

QString TfrmTusinSettei::ConIdText() const
{
    QString text = txtConID->displayText();
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text;
}

void TfrmTusinSettei::SetModuleParams(const QStringList& params)
{
    ParamList = params;
    bool present = false;
    bool ok = false;
    const int mode = ParamValue(params, QStringLiteral("SyoriType"), &present).toInt(&ok);
    if (present && ok && mode >= 0)
        SyoriType = mode;
    const QString style = ParamValue(params, QStringLiteral("FormStyle"), &present);
    const int value = style.toInt(&ok);
    FormStyle = !present ? fsMdiChild : !ok ? fsStayOnTop : (value == 0 ? fsMdiChild : value == 1 ? fsMdiForm : value == 2 ? fsNormal : fsStayOnTop);
    setWindowFlag(Qt::WindowStaysOnTopHint, FormStyle == fsStayOnTop);
}

bool TfrmTusinSettei::HasApprovedJournals()
{
    core::TDM* dm = core::DM;
    if (!dm || !dm->IBDatabaseDAT.connected())
        return false;
    auto query = CreateQuery();
    if (!query)
        return false;
    core::TransactionScope scope(IBTransactionDAT);
    try {
        query->sql() << QStringLiteral("SELECT COUNT(*) FROM SIWAKE_VIEW WHERE (SHONIN_OPCODE <> 0) ");
        query->execQuery();
        const bool approved = !query->eof() && query->fields(0).asInteger() > 0;
        query->close();
        scope.commit();
        return approved;
    } catch (const core::EIBError& e) {
        core::ReportFbAccessError(e, QStringLiteral("SIWAKE_VIEW"), QStringLiteral("通信設定"), 1);
        return false;
    }
}

int TfrmTusinSettei::RunModule(bool modal)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    if (core::ConnectMode != 2 && core::AccInf.CLOUD_LINE != 0 && SyoriType == 1)
        core::showMessage(core::MessageKind::Information, QStringLiteral("クラウドシェアデータでは、通信ID及びパスワードは変更できません。"));
    const bool cloudFace = (SyoriType == 5 || SyoriType == 6) && core::ConnectMode != 2;
    setWindowTitle(SyoriType == 2 ? QStringLiteral("現金出納帳通信設定") : cloudFace ? QStringLiteral("クラウドシェア設定") : QStringLiteral("通信設定"));
    if (SyoriType == 2) {
        if (HasApprovedJournals()) {
            core::showMessage(core::MessageKind::Warning,
                              QStringLiteral("現在ご利用中のデータは承認済み仕訳が含まれます。\r\n現金出納帳通信処理は行えません。"));
            return -1;
        }
        HintArea->setPlainText(QStringLiteral("現金出納帳用の通信ＩＤとパスワードをセットします。\r\nこの設定は、現在利用中のデータのみ有効となります。"));
    }
    if (!modal) {
        Prepare(1);
        show();
        return 1;
    }
    if (core::HostMenuHook && core::HostMenuHook(10, QString()) > 0) {
        core::showMessage(core::MessageKind::Warning,
                          QStringLiteral("メニュー以外の処理が開いています。\r全ての処理を閉じてから処理を実行してください。"), core::mbYes);
        return -1;
    }
    if (!controls::CheckFormInitOK(*this))
        return -1;
    Position = controls::poScreenCenter;
    Prepare(1);
    return exec();
}

void TfrmTusinSettei::Prepare(int)
{
    core::TDM* dm = core::DM;
    if (dm && dm->IBDatabaseDAT.connected()) {
        core::TIBSQL q(&dm->IBDatabaseDAT, &dm->IBTransactionDAT);
        core::TransactionScope scope(dm->IBTransactionDAT);
        try {
            q.sql() << (SyoriType == 2 ? QStringLiteral("SELECT PASWORD,HOLDER FROM TUSIN_ID  WHERE REC=:REC ")
                                       : QStringLiteral("SELECT PASWORD,WEB_HOLDER FROM ACCDEF1  WHERE REC=:REC "));
            q.paramByName(QStringLiteral("REC")).setInteger(1);
            q.execQuery();
            if (!q.eof()) {
                txtConPasswd->setText(q.fields(0).asString());
                OrgConPasswd = txtConPasswd->text();
                txtConID->setText(ShownId(q.fields(1).asString()));
                OrgConID = ConIdText();
            }
            q.close();
            scope.commit();
        } catch (const core::EIBError& e) {
            core::ReportFbAccessError(e, QStringLiteral("TUSIN_ID"), QStringLiteral("通信設定"), 1);
        } catch (const std::exception& e) {
            core::ShowMessageWithDetail(QStringLiteral("通信設定"), QString::fromUtf8(e.what()), core::MessageKind::Error);
        }
    }
    if (HintArea->toPlainText().isEmpty())
        HintArea->setPlainText(QStringLiteral("通信ＩＤとパスワードは通信相手と同一の設定を行います。\r\nこの設定は、現在利用中のデータのみ有効となります。"));
    const bool partner = IsPartner();
    if (partner || SyoriType == 2) {
        CheckBox1->hide();
        xURLButton->hide();
    } else if (SyoriType == 5 || SyoriType == 6) {
        PrepareCloudFace();
    } else {
        CheckBox1->setText(QStringLiteral("タレック") + QStringLiteral("経営ゼブリク（クラウド）へ送信する"));
        CheckBox1->show();
        xURLButton->show();
        if (dm && dm->IBDatabaseDAT.connected())
            CloudKbn = core::funcGetAccReg(QStringLiteral("通信設定"), QStringLiteral("クラウド区分"), QStringLiteral("整数"), QStringLiteral("0")).toInt();
        CheckBox1->setChecked(CloudKbn != 0);
        const bool readOnly = core::ConnectMode != 2 && core::AccInf.CLOUD_LINE != 0 && SyoriType == 1;
        txtConID->setEnabled(!readOnly);
        txtConPasswd->setEnabled(!readOnly);
    }
    FirstLayout = false;
}

void TfrmTusinSettei::SetLineLabel(int line)
{
    Label5->setText(line != 0 ? QStringLiteral("領域選択：　　 No. ") + QString::number(line) : kNoLine);
}

void TfrmTusinSettei::PrepareCloudFace()
{
    CheckBox1->hide();
    xURLButton->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{RadioButton1, RadioButton2, Label5, btnKyouyu})
        w->show();
    SetLineLabel(CloudLine);
    QRadioButton* chosen = CloudLine != 0 || SyoriType == 6 ? RadioButton1 : RadioButton2;
    chosen->setChecked(true);
    chosen->setFocus();
    HintArea->setPlainText(QStringLiteral("クラウドシェアを利用する場合は「利用する」を選び、通信IDとパスワードを設定してクラウドシェア領域を選択します。"));
}

bool TfrmTusinSettei::PasswordExit()
{
    const QString text = txtConPasswd->text();
    if (core::DeleteAllSpaces(text).size() == text.size())
        return true;
    core::showMessage(core::MessageKind::Information,
                      QStringLiteral("パスワードはスペース（空白）なしの英数６桁以内で入力して下さい。"), core::mbYes);
    txtConPasswd->setFocus();
    return false;
}

void TfrmTusinSettei::ConIdExit()
{
    if (ConIdText() != OrgConID) {
        Label5->setText(kNoLine);
        CloudLine = 0;
    }
}

void TfrmTusinSettei::EscClick()
{
    if (SyoriType >= 5 && SyoriType <= 6) {
        Cancelled = true;
        done(core::mrCancel);
    }
    // The loaded values back into the fields; below mode 5 the dialog stays open.
    txtConPasswd->setText(OrgConPasswd);
    txtConID->setText(OrgConID.trimmed());
}

void TfrmTusinSettei::reject()
{
    EscClick();
}

void TfrmTusinSettei::closeEvent(QCloseEvent* event)
{
    // Closing the window otherwise than with F12 or the area choice: as cancelled.
    event->ignore();
    done(core::mrCancel);
}

void TfrmTusinSettei::F12Click()
{
    if (SyoriType == 5 || SyoriType == 6) {
        Cancelled = false;
        if (OrgCloudLine != 0 && RadioButton2->isChecked()) {
            if (core::showMessage(core::MessageKind::Confirmation, QStringLiteral("クラウドシェアを解除します。よろしいですか？"), core::mbYesNo)
                != core::mrYes) {
                RadioButton2->setFocus();
                return;
            }
            CloudLine = 0;
            NewCloudLine = 0;
        }
        if (!AreaChosen && ConIdText() != OrgConID) {
            Label5->setText(kNoLine);
            CloudLine = 0;
        }
    }
    done(core::mrOk);
}

void TfrmTusinSettei::Save()
{
    const QString shown = ConIdText();
    const QString id = shown.mid(0, 4) + shown.mid(5, 4) + shown.mid(10, 4);
    const QString password = txtConPasswd->text();
    core::TDM* dm = core::DM;
    if (!dm || !dm->IBDatabaseDAT.connected())
        return;
    if (SyoriType == 5 && !RadioButton1->isChecked()) {
        CloudLine = 0;
        NewCloudLine = 0;
        LineEmpty = true;
    }
    core::TIBSQL q(&dm->IBDatabaseDAT, &dm->IBTransactionDAT);
    core::TransactionScope scope(dm->IBTransactionDAT);
    try {
        if (SyoriType == 2) {
            q.sql() << QStringLiteral("UPDATE TUSIN_ID SET PASWORD=:PASWORD,HOLDER=:HOLDER WHERE REC=:REC ");
            q.paramByName(QStringLiteral("HOLDER")).setString(id.trimmed());
        } else if (SyoriType == 5) {
            q.sql() << QStringLiteral("UPDATE ACCDEF1 SET PASWORD=:PASWORD,WEB_HOLDER=:WEB_HOLDER,CLOUD_LINE=:CLOUD_LINE WHERE REC=:REC ");
            q.paramByName(QStringLiteral("WEB_HOLDER")).setString(id);
            q.paramByName(QStringLiteral("CLOUD_LINE")).setInteger(CloudLine);
        } else {
            q.sql() << QStringLiteral("UPDATE ACCDEF1 SET PASWORD=:PASWORD,WEB_HOLDER=:WEB_HOLDER WHERE REC=:REC ");
            q.paramByName(QStringLiteral("WEB_HOLDER")).setString(id);
        }
        q.paramByName(QStringLiteral("PASWORD")).setString(password);
        q.paramByName(QStringLiteral("REC")).setInteger(1);
        q.execSQL();
        q.close();
        if (SyoriType == 2) {
            core::AccInf.TusinPassword[1] = password;
            core::AccInf.TusinHolder[1] = id.trimmed();
        } else {
            core::AccInf.PASWORD = password;
            core::AccInf.WEB_HOLDER = id;
            if (SyoriType == 5)
                core::AccInf.CLOUD_LINE = CloudLine;
        }
        scope.commit();
    } catch (const core::EIBError& e) {
        core::ReportFbAccessError(e, QStringLiteral("TUSIN_ID"), QStringLiteral("クラウドシェア通信設定"), 1);
    } catch (const std::exception& e) {
        core::ShowMessageWithDetail(QStringLiteral("クラウドシェア通信設定"), QString::fromUtf8(e.what()), core::MessageKind::Error);
    }
    if (SyoriType == 1 && !IsPartner()) {
        CloudKbn = CheckBox1->isChecked() ? 1 : 0;
        core::funcPutAccReg(QStringLiteral("通信設定"), QStringLiteral("クラウド区分"), QStringLiteral("整数"), QString::number(CloudKbn));
        core::AccInf.CloudKbn = CloudKbn;
    }
}

void TfrmTusinSettei::done(int result)
{
    if (!((SyoriType == 5 || SyoriType == 6) && Cancelled))
        Save();
    if (SyoriType == 6 && CloudLine == 0
        && core::showMessage(core::MessageKind::Confirmation,
                             QStringLiteral("クラウドシェア領域を選択してください。\r\n選択せずに、画面を閉じますか？"), core::mbYesNo)
               != core::mrYes)
        return;
    if (core::DeleteAllSpaces(ConIdText()).size() != 14
        && core::showMessage(core::MessageKind::Confirmation,
                             kIdLength + QStringLiteral("\r\n通信ＩＤが設定されていないため中継サーバーを使ったデータの送受信はできません。\r\n通信設定を終了しますか？"),
                             core::mbYesNo)
               != core::mrYes)
        return;
    controls::TBSDI::done(result);
}

void TfrmTusinSettei::KyouyuClick()
{
    if (!RadioButton1->isChecked()) {
        core::showMessage(core::MessageKind::Information, QStringLiteral("「クラウドシェアを利用する」を選択してください。"));
        return;
    }
    const QString shown = ConIdText();
    if (core::DeleteAllSpaces(shown).size() != 14) {
        core::showMessage(core::MessageKind::Information, kIdLength);
        return;
    }
    if (txtConPasswd->text().trimmed().isEmpty()) {
        core::showMessage(core::MessageKind::Information, QStringLiteral("「パスワード」が入力されていません。"));
        return;
    }
    const QString id = shown.mid(0, 4) + shown.mid(5, 4) + shown.mid(10, 4);
    if (core::DM && core::DM->IBDatabaseDAT.connected()) {
        core::TIBSQL q(&core::DM->IBDatabaseDAT, &core::DM->IBTransactionDAT);
        core::TransactionScope scope(core::DM->IBTransactionDAT);
        try {
            q.sql() << QStringLiteral("UPDATE ACCDEF1 SET PASWORD=:PASWORD,WEB_HOLDER=:WEB_HOLDER WHERE REC=:REC ");
            q.paramByName(QStringLiteral("PASWORD")).setString(txtConPasswd->text());
            q.paramByName(QStringLiteral("WEB_HOLDER")).setString(id);
            q.paramByName(QStringLiteral("REC")).setInteger(1);
            q.execSQL();
            q.close();
            scope.commit();
            core::AccInf.PASWORD = txtConPasswd->text();
            core::AccInf.WEB_HOLDER = id;
        } catch (const core::EIBError& e) {
            core::ReportFbAccessError(e, QStringLiteral("TUSIN_ID"), QStringLiteral("クラウドシェア通信ID"), 1);
        } catch (const std::exception& e) {
            core::ShowMessageWithDetail(QStringLiteral("クラウドシェア通信ID"), QString::fromUtf8(e.what()), core::MessageKind::Error);
        }
    }
    AreaChosen = true;
    std::unique_ptr<TfmDataTusin> dataTusin = NewDataTusin(this);
    if (SyoriType == 6)
        dataTusin->CloudShareAreaSelect(DataFolder);
    else
        dataTusin->CloudShareSetting(DataFolder);
    LineEmpty = dataTusin->SelectedDataName.trimmed().isEmpty();
    if (dataTusin->LineChosen) {
        CloudLine = dataTusin->SelectedLine;
        NewCloudLine = CloudLine;
        SetLineLabel(CloudLine);
        dataTusin.reset();
        F12Click();
    }
}

void TfrmTusinSettei::URLButtonClick()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool connected = InternetConnected();
    QApplication::restoreOverrideCursor();
    if (connected)
        OpenWebPage(QUrl(core::net::NetSettings().AnalysisLoginPage));
    else
        core::showMessage(core::MessageKind::Warning, QStringLiteral("インターネットに接続されていません。"));
}

bool TfrmTusinSettei::ConnectDataFolder()
{
    core::TDM* dm = core::DM;
    if (!dm)
        return false;
    bool result = true;
    if (!dm->IBDatabaseDAT.connected()) {
        const bool connected = dm->fnAccDatConnected(core::SystemDef.HOSTNAME, DataFolder, 0);
        if (!connected || !dm->fnGetAccInfo()) {
            core::showMessage(core::MessageKind::Warning,
                              QStringLiteral("　\r\nデータの接続に失敗したため、データ選択画面を開きます。\r\n "));
            core::SystemDef.DataFolder.clear();
            result = false;
        }
        if (connected && !dm->ExistsOpeDefSisetu())
            result = false;
    }
    if (dm->IBTransactionDEF.inTransaction())
        dm->IBTransactionDEF.commit();
    return result;
}

void TfrmTusinSettei::DisconnectDataFolder()
{
    core::TDM* dm = core::DM;
    if (!dm)
        return;
    try {
        if (dm->IBDatabaseDAT.connected())
            dm->AccDatDisconnect(DataFolder, 0, 0);
        if (dm->IBTransactionDEF.inTransaction())
            dm->IBTransactionDEF.commit();
    } catch (...) {
    }
}

int TfrmTusinSettei::ExecuteCloudShareSettei(const QString& dataFolder)
{
    if (dataFolder.isEmpty())
        return 1;
    Cancelled = true;
    AreaChosen = false;
    DataFolder = dataFolder;
    if (core::ConnectMode != 0 && core::DM
        && core::DM->AccDatInConnection(core::kCompanyDatabase, core::SystemDef.HOSTNAME, 0, dataFolder)) {
        core::showMessage(core::MessageKind::Information, QStringLiteral("このデータは他のオペレータが使用中です。 "));
        return 9;
    }
    if (!ConnectDataFolder()) {
        core::showMessage(core::MessageKind::Warning, QStringLiteral("データに接続できません。"));
        return 9;
    }
    CloudLine = OrgCloudLine = NewCloudLine = core::AccInf.CLOUD_LINE;
    SyoriType = 5;
    LineEmpty = false;
    RunModule(true);
    NewCloudLine = CloudLine;
    DisconnectDataFolder();
    return Cancelled ? 9 : 0;
}

} // namespace communication
