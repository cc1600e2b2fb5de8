#include "communication/MeetingToolSetting.h"

#include "communication/ConIdFields.h"
#include "communication/WebPages.h"
#include "controls/dates/TallekExDateEdit.h"
#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/errors/FbAccessError.h"
#include "core/modules/ManualPage.h"
#include "core/modules/ModuleRegistry.h"
#include "core/net/NetSettings.h"
#include "core/settings/AccReg.h"
#include "core/text/SjisText.h"
#include "core/ui/MessageService.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
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

const QString kGroup = QStringLiteral("ＷＥＢ会議設定");
const QString kUse = QStringLiteral("ＷＥＢ会議を行う");
const QString kUrl = QStringLiteral("ＵＲＬ");
const QString kDateMode = QStringLiteral("開催日時を指定");
const QString kDate = QStringLiteral("開催日時");
const QString kInt = QStringLiteral("整数");
const QString kIdLength = QStringLiteral("通信ＩＤを設定する場合はスペース無しの英数12桁で入力してください。(-を含めると14桁)");

bool CompanyOpen()
{
    return core::DM && core::DM->IBDatabaseDAT.connected();
}

void Info(const QString& text)
{
    core::showMessage(core::MessageKind::Information, text);
}

// The stored "no date" ("0.0"): the zero date-time.
QDateTime ZeroDateTime()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

bool NoDate(const QDateTime& value)
{
    return !value.isValid() || value <= QDateTime(QDate(1899, 12, 30), QTime(0, 0));
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

// Half-width and full-width blanks off both ends.
QString TrimBlanks(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QChar(0x3000) || c.isSpace(); };
    while (start < end && blank(text.at(start)))
        ++start;
    while (end > start && blank(text.at(end - 1)))
        --end;
    return text.mid(start, end - start);
}

} // namespace

void RegisterMeetingToolSettingModule()
{
    core::RegisterModuleForm(core::ModuleFormClass<TMeetingToolSettingBox>(), QStringLiteral("VxMeetingToolSetting"));
}

TMeetingToolSettingBox::TMeetingToolSettingBox(QWidget* owner)
    : controls::TBSDI(owner, bsDialog)
{
    setObjectName(QStringLiteral("MeetingToolSettingBox"));
    setWindowTitle(QStringLiteral("Web会議設定"));
    RirekiSw = true;
    AccInfoSw = true;
    HostMenuSw = false;
    FormSizeSw = false;
    KeepOnClose = true;
    resize(757, 588);

    auto* layout = new QVBoxLayout(this);
    pnlBase = new QWidget(this);
    auto* base = new QGridLayout(pnlBase);
    cboxMeetingUse = new QCheckBox(QStringLiteral("Web会議を使用する"), pnlBase);
    Label1 = new QLabel(QStringLiteral("Web会議のURL:"), pnlBase);
    MemoUrl = new QPlainTextEdit(pnlBase);
    btnPaste = new QPushButton(QStringLiteral("貼り付け"), pnlBase);
    lblLinkUrl = new QLabel(QStringLiteral("URLの発行方法を確認する（Zoomの場合） >>"), pnlBase);
    lblLinkUrl->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline"));
    lblLinkUrl->setAlignment(Qt::AlignRight);
    lblLinkUrl->setCursor(Qt::PointingHandCursor);
    cboxMailSousin = new QCheckBox(QStringLiteral("顧問先に通知メールを送信する"), pnlBase);
    Panel1 = new QLabel(QStringLiteral("※顧問先側の通信IDを登録して「メールアドレス登録」ボタンを押してください"), pnlBase);
    const TConIdFields id = AddConIdFields(pnlBase, *base, 5);
    txtConID = id.id;
    txtConPasswd = id.password;
    Label6 = id.idRule;
    Label9 = id.passwordRule;
    btnMailAddress = new QPushButton(QStringLiteral("メールアドレス登録"), pnlBase);
    base->addWidget(cboxMeetingUse, 0, 0, 1, 3);
    base->addWidget(Label1, 1, 0);
    base->addWidget(MemoUrl, 1, 1);
    base->addWidget(btnPaste, 1, 2);
    base->addWidget(lblLinkUrl, 2, 1, 1, 2);
    base->addWidget(cboxMailSousin, 3, 0, 1, 3);
    base->addWidget(Panel1, 4, 0, 1, 3);
    base->addWidget(btnMailAddress, 9, 1);
    idRows_ = {txtConID, txtConPasswd, btnMailAddress, Panel1, id.idLabel,
               Label6, id.idExample, id.passwordLabel, Label9, id.passwordExample};
    layout->addWidget(pnlBase);

    pnlHizuke = new QWidget(this);
    auto* dates = new QVBoxLayout(pnlHizuke);
    dates->addWidget(new QLabel(QStringLiteral("このデータにはWeb会議用のＵＲＬが設定されていますので、タレック経営ゼブリククラウドで指定した"), pnlHizuke));
    dates->addWidget(new QLabel(QStringLiteral("アドレス宛に、Web会議のURLとミーティング開始日時を記載したお知らせメールを送信します。"), pnlHizuke));
    btnContactHizuke = new QRadioButton(QStringLiteral("開始日時を記載する"), pnlHizuke);
    btnContactLater = new QRadioButton(QStringLiteral("開始日時を「別途連絡」とする"), pnlHizuke);
    btnContactNone = new QRadioButton(QStringLiteral("今回はWeb会議を行わない（お知らせメールのWeb会議についての記載を省略）"), pnlHizuke);
    txtContactHizuke = new controls::TTallekExDateEdit(pnlHizuke);
    txtContactHizuke->SetEditStyle(controls::desYearMonthDayHM);
    txtContactHizuke->SetCanEmpty(true);
    txtContactHizuke->SetDialogCaption(QStringLiteral("日付時刻入力"));
    btnHizukeClear = new QPushButton(QStringLiteral("クリア"), pnlHizuke);
    dates->addWidget(btnContactHizuke);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(txtContactHizuke);
    dateRow->addWidget(btnHizukeClear);
    dates->addLayout(dateRow);
    dates->addWidget(btnContactLater);
    dates->addWidget(btnContactNone);
    pnlHizuke->hide();
    layout->addWidget(pnlHizuke);

    auto* hint = new QPlainTextEdit(this);
    hint->setReadOnly(true);
    HintMemo = hint;
    layout->addWidget(hint);
    auto* keys = new QHBoxLayout;
    btnCancel = new QPushButton(QStringLiteral("ESC:ｷｬﾝｾﾙ"), this);
    F1 = new QPushButton(QStringLiteral("F1:ヘルプ"), this);
    btnOK = new QPushButton(QStringLiteral("F12:閉じる"), this);
    keys->addWidget(btnCancel);
    keys->addWidget(F1);
    keys->addStretch();
    keys->addWidget(btnOK);
    layout->addLayout(keys);

    // Long hints: the text after the bar goes to the hint area.
    const QString urlHint = QStringLiteral("Web会議のURLを入力します。|Web会議のURLを入力します。\r\n[Ctrl]+[v]キーまたは[貼り付け]ボタンでクリップボードの内容を貼り付けます。");
    const QString idHint = QStringLiteral("|通信ＩＤとパスワードは通信相手と同一の設定を行います。\r\nこの設定は、現在利用中のデータのみ有効となります。");
    const QString radioHint = QStringLiteral("開催日時の連絡方法を設定します。|開催日時の連絡方法を設定します。");
    const QString dateHint = QStringLiteral("開催日時を入力します。|開催日時を入力します。\r\n[クリア]ボタンで開催日時をクリアします。");
    cboxMeetingUse->setToolTip(QStringLiteral("Web会議の使用の有無を設定します。|ZoomなどのWeb会議を使用する場合はチェックを入れます。"));
    MemoUrl->setToolTip(urlHint);
    btnPaste->setToolTip(urlHint);
    cboxMailSousin->setToolTip(QStringLiteral("メールを使って自動通知する場合は設定します。|メールを使って自動通知する場合はチェックを入れます。"));
    txtConID->setToolTip(QStringLiteral("通信ＩＤを入力します。") + idHint);
    txtConPasswd->setToolTip(QStringLiteral("パスワードを入力します。") + idHint);
    btnMailAddress->setToolTip(QStringLiteral("メールアドレスを登録します。|通知先のメールアドレスを登録します。"));
    for (QWidget* w : {btnContactHizuke, btnContactLater, btnContactNone})
        w->setToolTip(radioHint);
    txtContactHizuke->setToolTip(dateHint);
    btnHizukeClear->setToolTip(dateHint);
    btnOK->setToolTip(QStringLiteral("設定情報を登録します。|設定情報を登録します。"));
    btnCancel->setToolTip(QStringLiteral("設定情報の登録を取り止めます。|設定情報の登録を取り止めます。"));

    connect(cboxMeetingUse, &QCheckBox::clicked, this, [this] {
        for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(MemoUrl), static_cast<QWidget*>(btnPaste),
                           static_cast<QWidget*>(cboxMailSousin)})
            w->setEnabled(cboxMeetingUse->isChecked());
        ApplyEnabling();
    });
    connect(cboxMailSousin, &QCheckBox::clicked, this, &TMeetingToolSettingBox::ApplyEnabling);
    connect(btnPaste, &QPushButton::clicked, this, [this] { MemoUrl->paste(); });
    for (QRadioButton* radio : {btnContactHizuke, btnContactLater, btnContactNone})
        connect(radio, &QRadioButton::clicked, this, [this] { txtContactHizuke->setEnabled(btnContactHizuke->isChecked()); });
    connect(btnHizukeClear, &QPushButton::clicked, this, [this] { txtContactHizuke->Clear(); });
    connect(btnOK, &QPushButton::clicked, this, &TMeetingToolSettingBox::OKClick);
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(core::mrCancel); });
    connect(F1, &QPushButton::clicked, this, [this] {
        if (F1->text() != QStringLiteral("F1:"))
            core::OpenManualPage(QStringLiteral("web_meeting.html"));
    });
    connect(btnMailAddress, &QPushButton::clicked, this, &TMeetingToolSettingBox::MailAddressClick);
    lblLinkUrl->installEventFilter(this);
    txtConID->installEventFilter(this);
    txtConPasswd->installEventFilter(this);

    if (CompanyOpen()) {
        MeetingUse = core::funcGetAccReg(kGroup, kUse, kInt, QStringLiteral("0")).toInt();
        MeetingUrl = core::funcGetAccReg(kGroup, kUrl, QStringLiteral("文字"), QString()).toString().trimmed();
        DateMode = core::funcGetAccReg(kGroup, kDateMode, kInt, QStringLiteral("2")).toInt();
        MeetingDate = core::funcGetAccReg(kGroup, kDate, QStringLiteral("日時"), QStringLiteral("0.0")).toDateTime();
        if (NoDate(MeetingDate))
            MeetingDate = QDateTime();
        core::AccInf.CloudKbn = core::funcGetAccReg(QStringLiteral("通信設定"), QStringLiteral("クラウド区分"), kInt, QStringLiteral("0")).toInt();
    }
    InitOK = true;
}

void TMeetingToolSettingBox::SetModuleParams(const QStringList& params)
{
    ParamList = params;
    bool present = false;
    bool ok = false;
    const QString mode = ParamValue(params, QStringLiteral("SyoriType"), &present);
    if (present) {
        const int value = mode.toInt(&ok);
        SyoriType = ok ? value : 0;
    }
    const QString style = ParamValue(params, QStringLiteral("FormStyle"), &present);
    const int value = style.toInt(&ok);
    FormStyle = !present ? 0 : !ok ? 3 : (value >= 0 && value <= 2 ? value : 3);
    setWindowFlag(Qt::WindowStaysOnTopHint, FormStyle == 3);
}

QString TMeetingToolSettingBox::ConIdText() const
{
    QString text = txtConID->displayText();
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text;
}

bool TMeetingToolSettingBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblLinkUrl && event->type() == QEvent::MouseButtonRelease) {
        LinkClick();
        return true;
    }
    if ((watched == txtConID || watched == txtConPasswd) && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1) {
            const char16_t u = text.at(0).unicode();
            const bool passes = u == 13 || u == 8 || (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
            if (!passes)
                return true;
        }
    }
    if (watched == txtConPasswd && event->type() == QEvent::FocusOut)
        PasswordExit();
    return controls::TBSDI::eventFilter(watched, event);
}

bool TMeetingToolSettingBox::PasswordExit()
{
    const QString text = txtConPasswd->text();
    if (core::DeleteAllSpaces(text).size() == text.size())
        return true;
    Info(QStringLiteral("パスワードはスペース（空白）なしの英数６桁以内で入力してください。"));
    txtConPasswd->setFocus();
    return false;
}

void TMeetingToolSettingBox::ApplyEnabling()
{
    const bool cloudData = core::ConnectMode != 2 && core::AccInf.CLOUD_LINE != 0;
    const bool both = cboxMeetingUse->isChecked() && cboxMailSousin->isChecked() && !cloudData;
    for (QWidget* w : idRows_)
        w->setEnabled(both);
    Panel1->setStyleSheet(both ? QString() : QStringLiteral("color: gray"));
    if (cloudData) {
        for (QLabel* note : {Label6, Label9}) {
            note->setEnabled(true);
            note->setText(QStringLiteral("クラウドシェアデータのため変更できません"));
            note->setStyleSheet(QStringLiteral("color: red"));
        }
    }
}

void TMeetingToolSettingBox::Prepare(int)
{
    if (SyoriType == 1) {
        if (FirstLayout)
            resize(width(), 400);
        setWindowTitle(QStringLiteral("Web会議　ミーティング日時を指定"));
        pnlBase->hide();
        pnlHizuke->show();
        btnContactNone->setChecked(true);
        if (DateMode == 1)
            btnContactHizuke->setChecked(true);
        else if (DateMode == 2)
            btnContactLater->setChecked(true);
        txtContactHizuke->setEnabled(btnContactHizuke->isChecked());
        txtContactHizuke->Clear();
        if (!NoDate(MeetingDate)) {
            // Seconds 1 mark a start time that was set here.
            MeetingDate.setTime(QTime(MeetingDate.time().hour(), MeetingDate.time().minute(), 1));
            txtContactHizuke->SetDateTime(MeetingDate);
        }
        btnCancel->setText(QStringLiteral("キャンセル"));
        btnOK->setText(QStringLiteral("ＯＫ"));
        F1->hide();
    } else {
        pnlHizuke->hide();
        pnlBase->show();
        lblLinkUrl->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline"));
        cboxMeetingUse->setChecked(MeetingUse == 1);
        MemoUrl->setPlainText(MeetingUrl);
        cboxMailSousin->setChecked(core::AccInf.CloudKbn == 1);
        const QString id = core::DeleteAllSpaces(core::AccInf.WEB_HOLDER);
        txtConID->setText(id.size() == 12 ? id.mid(0, 4) + QLatin1Char('-') + id.mid(4, 4) + QLatin1Char('-') + id.mid(8, 4) : QString());
        txtConPasswd->setText(core::AccInf.PASWORD);
        for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(MemoUrl), static_cast<QWidget*>(btnPaste),
                           static_cast<QWidget*>(cboxMailSousin)})
            w->setEnabled(cboxMeetingUse->isChecked());
        ApplyEnabling();
    }
    FirstLayout = false;
}

int TMeetingToolSettingBox::RunModule(bool modal)
{
    if (SyoriType == 2) {
        OpenMeeting();
        return -1;
    }
    if (!modal) {
        Prepare(1);
        show();
        return 1;
    }
    if (core::HostMenuHook && core::HostMenuHook(10, QString()) > 0) {
        Info(QStringLiteral("メニュー以外の処理が開いています。\r全ての処理を閉じてから処理を実行してください。"));
        return -1;
    }
    if (!controls::CheckFormInitOK(*this))
        return -1;
    Position = controls::poScreenCenter;
    Prepare(1);
    return exec();
}

bool TMeetingToolSettingBox::Validate()
{
    if (SyoriType == 0) {
        const QString url = TrimBlanks(MemoUrl->toPlainText());
        if (cboxMeetingUse->isChecked() && url.isEmpty()) {
            Info(QStringLiteral("Web会議のURLが入力されていません。"));
            MemoUrl->setFocus();
            return false;
        }
        if (cboxMeetingUse->isChecked() && !url.startsWith(QStringLiteral("https://")) && !url.startsWith(QStringLiteral("http://"))) {
            Info(QStringLiteral("Web会議のURLが \"https://\" 又は \"http://\" で始まっていません。"));
            MemoUrl->setFocus();
            return false;
        }
        if (txtConID->isEnabled() && core::DeleteAllSpaces(ConIdText()).size() != 14) {
            Info(kIdLength);
            txtConID->setFocus();
            return false;
        }
    } else if (SyoriType == 1 && btnContactHizuke->isChecked() && NoDate(txtContactHizuke->GetDateTime())) {
        Info(QStringLiteral("会議の開始日時が入力されていません。"));
        txtContactHizuke->setFocus();
        return false;
    }
    return true;
}

void TMeetingToolSettingBox::OKClick()
{
    if (!Validate())
        return;
    if (core::showMessage(core::MessageKind::Confirmation, QStringLiteral("Web会議の情報を登録します。よろしいですか？"), core::mbOKCancel)
        != core::mrOk)
        return;
    if (SyoriType == 0) {
        MeetingUse = cboxMeetingUse->isChecked() ? 1 : 0;
        MeetingUrl = MemoUrl->toPlainText();
        core::TACCINF& acc = core::AccInf;
        acc.CloudKbn = cboxMailSousin->isChecked() ? 1 : 0;
        acc.WEB_HOLDER = ConIdText().remove(QLatin1Char('-'));
        acc.PASWORD = txtConPasswd->text();
        core::funcPutAccReg(kGroup, kUse, kInt, MeetingUse);
        core::funcPutAccReg(kGroup, kUrl, QStringLiteral("文字"), MeetingUrl);
        core::funcPutAccReg(QStringLiteral("通信設定"), QStringLiteral("クラウド区分"), kInt, acc.CloudKbn);
        core::TDM* dm = core::DM;
        core::TIBSQL q(&dm->IBDatabaseDAT, &dm->IBTransactionDAT);
        core::TransactionScope scope(dm->IBTransactionDAT);
        try {
            q.sql() << QStringLiteral("UPDATE ACCDEF1 SET PASWORD=:PASWORD,WEB_HOLDER=:WEB_HOLDER") << QStringLiteral("WHERE REC=:REC");
            q.paramByName(QStringLiteral("PASWORD")).setString(acc.PASWORD);
            q.paramByName(QStringLiteral("WEB_HOLDER")).setString(acc.WEB_HOLDER);
            q.paramByName(QStringLiteral("REC")).setInteger(1);
            q.execSQL();
            q.close();
            scope.commit();
        } catch (const core::EIBError& e) {
            core::ReportFbAccessError(e, QStringLiteral("TMeetingToolSettingBox.btnOKClick"), QStringLiteral("設定情報の更新に失敗しました。"), 1);
        }
    } else if (SyoriType == 1) {
        if (btnContactHizuke->isChecked()) {
            DateMode = 1;
            MeetingDate = txtContactHizuke->GetDateTime();
        } else {
            DateMode = btnContactLater->isChecked() ? 2 : 0;
            MeetingDate = QDateTime();
        }
        core::funcPutAccReg(kGroup, kDateMode, kInt, DateMode);
        core::funcPutAccReg(kGroup, kDate, QStringLiteral("日時"), NoDate(MeetingDate) ? ZeroDateTime() : MeetingDate);
    }
    done(core::mrOk);
}

int TMeetingToolSettingBox::ConfirmBeforeSend()
{
    if (core::AccInf.CloudKbn != 1 || MeetingUse != 1 || MeetingUrl.isEmpty())
        return 0;
    SyoriType = 1;
    Prepare(1);
    return RunModule(true);
}

int TMeetingToolSettingBox::ResetAfterSend()
{
    if (core::AccInf.CloudKbn == 1 && MeetingUse == 1 && !MeetingUrl.isEmpty()) {
        DateMode = 2;
        MeetingDate = QDateTime();
        core::funcPutAccReg(kGroup, kDateMode, kInt, 2);
        core::funcPutAccReg(kGroup, kDate, QStringLiteral("日時"), ZeroDateTime());
    }
    return 1;
}

void TMeetingToolSettingBox::OpenMeeting()
{
    const QString url = MeetingUse == 0 ? QString() : TrimBlanks(MeetingUrl);
    if (url.isEmpty()) {
        Info(QStringLiteral("Web会議が設定されていません。"));
        return;
    }
    // A received data set brings its own settings: only a web address is handed to the browser.
    if (!url.startsWith(QStringLiteral("https://")) && !url.startsWith(QStringLiteral("http://"))) {
        Info(QStringLiteral("Web会議のURLが \"https://\" 又は \"http://\" で始まっていません。"));
        return;
    }
    OpenWebPage(QUrl(url));
}

void TMeetingToolSettingBox::LinkClick()
{
    const bool partner = core::EditionFlag == 1 || core::EditionFlag == 2;
    const QString page = partner ? QString() : core::net::NetSettings().MeetingGuidePage;
    if (!page.isEmpty())
        OpenWebPage(QUrl(page));
    lblLinkUrl->setStyleSheet(QStringLiteral("color: purple; text-decoration: underline"));
}

void TMeetingToolSettingBox::MailAddressClick()
{
    const QString id = ConIdText();
    if (core::DeleteAllSpaces(id).size() != 14) {
        Info(kIdLength);
        txtConID->setFocus();
        return;
    }
    QString server = core::net::NetSettings().RelayWebServer;
    if (server.isEmpty())
        server = core::net::NetSettings().RelayServer;
    OpenWebPage(MailAddressUrl(server, id));
}

} // namespace communication
