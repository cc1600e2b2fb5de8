#include "selection/AppIniCreateBox.h"

#include "controls/dialogs/LongHint.h"
#include "controls/dialogs/SlotGuard.h"
#include "controls/dialogs/WindowKeyPreview.h"
#include "core/Globals.h"
#include "core/os/SaveDialogs.h"
#include "core/session/Identity.h"
#include "core/ui/MessageService.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

namespace selection {

namespace {

const QString kApplication = QStringLiteral("APPLICATION");
const QString kDefaultUser = QStringLiteral("TALLEK");
const QString kDefaultPassword = QStringLiteral("vorbin");

QString YesNo(quint8 flag) { return flag ? QStringLiteral("YES") : QStringLiteral("NO"); }

// Creates the file with mode 0600 when it is missing, else sets that mode: the file holds the
// database password. A failure here is left to the write that follows.
void RestrictToOwner(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd >= 0)
        ::close(fd);
    ::chmod(native.constData(), S_IRUSR | S_IWUSR);
}

// Runs the writes on the application INI file, owner-only before and after (the writer
// replaces the file through a temporary one). False when the file could not be written.
bool WriteIni(const std::function<void(platform::TIniFile&)>& writes)
{
    const QString path = core::SystemDef.IniFile;
    try {
        RestrictToOwner(path);
        platform::TIniFile ini(path);
        writes(ini);
        ini.UpdateFile();
        RestrictToOwner(path);
        return true;
    } catch (const platform::IniFileError&) {
        return false;
    } catch (const platform::EncodingError&) {
        return false;
    }
}

void WriteConnection(platform::TIniFile& ini, const QString& section)
{
    const core::TSystemDef& def = core::SystemDef;
    ini.WriteString(section, QStringLiteral("HOSTNAME"), def.HOSTNAME);
    ini.WriteString(section, QStringLiteral("GOGLOBAL"), YesNo(def.GOGLOBAL));
    ini.WriteString(section, QStringLiteral("GROUP"), YesNo(def.GROUP));
    ini.WriteString(section, QStringLiteral("SYSDIR"), def.SYSDIR);
    ini.WriteString(section, QStringLiteral("USER"), def.USER);
    ini.WriteString(section, QStringLiteral("PASSWORD"), def.PASSWORD);
}

// The fixed connection of the single-user products: this machine, the given folder.
void SetLocalDefaults(const QString& sysDir)
{
    core::TSystemDef& def = core::SystemDef;
    def.HOSTNAME.clear();
    def.GOGLOBAL = 0;
    def.GROUP = 0;
    def.SYSDIR = sysDir;
    def.USER = kDefaultUser;
    def.PASSWORD = kDefaultPassword;
}

} // namespace

QString ConnectSectionName(int mode)
{
    switch (mode) {
    case 1: return QStringLiteral("SERVER");
    case 2: return QStringLiteral("SBC");
    default: return QStringLiteral("LOCAL");
    }
}

QString DriveOf(const QString& path)
{
    if (path.size() >= 2 && path[1] == u':' && path[0].isLetter() && path[0].unicode() < 0x80)
        return path.left(2);
    return QString();
}

TAppIniCreateBox::TAppIniCreateBox(QWidget* owner)
    : controls::TBSDI(owner, bsDialog)
{
    InitOK = false;
    // The opener frees the dialog (start-up and the login keep it on the stack or own it).
    KeepOnClose = true;
    EditSection = 1;
    setWindowTitle(QStringLiteral("データサーバーの設定"));
    buildControls();
    lblMessage1->setText(QStringLiteral("データサーバーを利用するための設定を行います。"));
    lblMessage2->setText(QStringLiteral("データサーバーの情報を入力して下さい。"));
    txtDataPath->setEnabled(false);
    txtUserName->setEnabled(false);
    txtPassWord->setEnabled(false);
    txtDataPath->setText(core::Identity.ServerDir);
    txtUserName->setText(core::SystemDef.USER);
    txtPassWord->setText(core::SystemDef.PASSWORD);
    new controls::WindowKeyPreview(this, [this](QKeyEvent* e) { return PreviewKey(e); });
    InitOK = true;
}

TAppIniCreateBox::~TAppIniCreateBox() = default;

void TAppIniCreateBox::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    lblMessage1 = new QLabel(this);
    lblMessage2 = new QLabel(this);
    layout->addWidget(lblMessage1);
    layout->addWidget(lblMessage2);

    auto* group = new QGroupBox(QStringLiteral("データサーバー"), this);
    auto* grid = new QGridLayout(group);
    txtHostName = new QLineEdit(group);
    controls::SetHint(txtHostName, QStringLiteral("接続先のコンピューター名またはIPアドレスを入力して下さい。"));
    btnCompShow = new QPushButton(QStringLiteral("参照"), group);
    btnCompShow->setAutoDefault(false);
    controls::SetHint(btnCompShow, QStringLiteral("ネットワークに接続されているコンピュータを表示します。"));
    cmbDrive = new QComboBox(group);
    for (char16_t letter = u'C'; letter <= u'Z'; ++letter)
        cmbDrive->addItem(QString(QChar(letter)) + u':');
    txtDataPath = new QLineEdit(group);
    txtUserName = new QLineEdit(group);
    txtPassWord = new QLineEdit(group);
    txtPassWord->setEchoMode(QLineEdit::Password);
    grid->addWidget(new QLabel(QStringLiteral("コンピュータ名:"), group), 0, 0);
    grid->addWidget(txtHostName, 0, 1, 1, 2);
    grid->addWidget(btnCompShow, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("データの場所:"), group), 1, 0);
    grid->addWidget(cmbDrive, 1, 1);
    grid->addWidget(txtDataPath, 1, 2, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("データベースのユーザー:"), group), 2, 0);
    grid->addWidget(txtUserName, 2, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("データベースのパスワード:"), group), 3, 0);
    grid->addWidget(txtPassWord, 3, 1, 1, 3);
    layout->addWidget(group);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    btnCancel->setAutoDefault(false);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);

    connect(btnCompShow, &QPushButton::clicked, this, controls::Guarded([this] { btnCompShowClick(); }));
    connect(btnOK, &QPushButton::clicked, this, controls::Guarded([this] { OKBtnClick(); }));
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(core::mrCancel); });
}

bool TAppIniCreateBox::SaveServerSettings(bool newFile)
{
    if (!newFile) {
        const QString section = ConnectSectionName(core::ConnectMode);
        return WriteIni([&](platform::TIniFile& ini) { WriteConnection(ini, section); });
    }
    if (core::ConnectMode == 0)
        core::SystemDef.HOSTNAME.clear();
    return WriteIni([](platform::TIniFile& ini) {
        ini.EraseSection(QStringLiteral("DATABASE"));
        ini.EraseSection(QStringLiteral("MAINFORM"));
        ini.WriteString(kApplication, QStringLiteral("TOP"), QStringLiteral("0"));
        ini.WriteString(kApplication, QStringLiteral("LEFT"), QStringLiteral("0"));
        ini.WriteString(kApplication, QStringLiteral("WIDTH"), QStringLiteral("1024"));
        ini.WriteString(kApplication, QStringLiteral("HEIGHT"), QStringLiteral("738"));
        ini.WriteString(kApplication, QStringLiteral("CONNECT"), QStringLiteral("0"));
        WriteConnection(ini, QStringLiteral("LOCAL"));
        const QString server = QStringLiteral("SERVER");
        ini.WriteString(server, QStringLiteral("HOSTNAME"), QString());
        ini.WriteString(server, QStringLiteral("GOGLOBAL"), QStringLiteral("NO"));
        ini.WriteString(server, QStringLiteral("GROUP"), QStringLiteral("NO"));
        ini.WriteString(server, QStringLiteral("SYSDIR"), QString());
        ini.WriteString(server, QStringLiteral("USER"), core::SystemDef.USER);
        ini.WriteString(server, QStringLiteral("PASSWORD"), core::SystemDef.PASSWORD);
    });
}

bool TAppIniCreateBox::SaveConnectMode(int mode)
{
    if (mode < 0 || mode >= 3 || core::AppKind != 0)
        return false;
    return WriteIni([mode](platform::TIniFile& ini) {
        ini.WriteString(kApplication, QStringLiteral("CONNECT"), QString::number(mode));
    });
}

int TAppIniCreateBox::LoadConnectMode()
{
    if (core::AppKind != 0)
        return 0;
    return platform::TIniFile(core::SystemDef.IniFile).ReadInteger(kApplication, QStringLiteral("CONNECT"), 0);
}

int TAppIniCreateBox::LoadServerSettings(int mode)
{
    const platform::TIniFile ini(core::SystemDef.IniFile);
    const QString section = ConnectSectionName(mode);
    core::TSystemDef& def = core::SystemDef;
    def.HOSTNAME = ini.ReadString(section, QStringLiteral("HOSTNAME"), QString());
    def.GOGLOBAL = ini.ReadString(section, QStringLiteral("GOGLOBAL"), QStringLiteral("NO")) == QStringLiteral("YES");
    // Kept as stored: a native folder's case matters, and so do its "/".
    def.SYSDIR = ini.ReadString(section, QStringLiteral("SYSDIR"), QString());
    def.USER = ini.ReadString(section, QStringLiteral("USER"), kDefaultUser).toUpper();
    def.PASSWORD = ini.ReadString(section, QStringLiteral("PASSWORD"), kDefaultPassword).toLower();
    def.GROUP = 0;
    return 1;
}

int TAppIniCreateBox::LoadDefaultSettings(int mode)
{
    switch (core::AppKind) {
    case 0:
    case 2: return LoadServerSettings(mode);
    case 1: SetLocalDefaults(core::SystemDef.ViewDataDir + QStringLiteral("/data")); return 1;
    case 3:
        SetLocalDefaults(core::SystemDef.DataRoot + u'/' + core::NativeSubPath(core::AppInfo.SuitochoDataDir));
        return 1;
    default: return 0;
    }
}

void TAppIniCreateBox::CMShowingChanged()
{
    controls::TBSDI::CMShowingChanged();
    LoadServerSettings(EditSection);
    txtHostName->setText(core::SystemDef.HOSTNAME);
    const QString sysDir = core::SystemDef.SYSDIR;
    const QString drive = DriveOf(sysDir).toUpper();
    // A Windows server's folder is a drive and the server folder name; any other folder is the
    // server's own folder, shown and edited as it is (a new file has none: the server folder
    // name as a native folder is offered).
    NativeDataPath = drive.isEmpty();
    cmbDrive->setEnabled(!NativeDataPath);
    txtDataPath->setEnabled(NativeDataPath);
    if (NativeDataPath) {
        cmbDrive->setCurrentIndex(0);
        txtDataPath->setText(sysDir.isEmpty() ? core::NativeSubPath(core::Identity.ServerDir) : sysDir);
    } else {
        const int index = cmbDrive->findText(drive);
        cmbDrive->setCurrentIndex(index < 0 ? 0 : index);
        txtDataPath->setText(core::Identity.ServerDir);
    }
    txtUserName->setText(core::SystemDef.USER);
    txtPassWord->setText(core::SystemDef.PASSWORD);
}

void TAppIniCreateBox::btnCompShowClick()
{
    QString name;
    if (core::SelectComputer(QStringLiteral("サーバーのコンピュータを選択して下さい。サーバーのコンピュータがリストに無い場合は、"
                                            "[ｷｬﾝｾﾙ]を押してコンピュータ名を入力して下さい。"),
                             name))
        txtHostName->setText(name);
}

void TAppIniCreateBox::OKBtnClick()
{
    setResult(core::mrNone);
    core::TSystemDef& def = core::SystemDef;
    def.HOSTNAME = txtHostName->text().toLower();
    // The folder keeps its case: a native path differs by it.
    def.SYSDIR = NativeDataPath ? txtDataPath->text() : cmbDrive->currentText() + txtDataPath->text();
    def.USER = txtUserName->text().toUpper();
    def.PASSWORD = txtPassWord->text().toLower();
    def.GOGLOBAL = 0;
    def.GROUP = 0;
    if (core::ConnectMode == 0) {
        def.HOSTNAME.clear();
    } else if (core::ConnectMode == 1 && txtHostName->text().trimmed().isEmpty()) {
        core::showMessage(core::MessageKind::Error, QStringLiteral("コンピュータ名が指定されていません。\r入力してください。"),
                          core::mbYes);
        return;
    }
    if (txtUserName->text().trimmed().isEmpty()) {
        core::showMessage(core::MessageKind::Error,
                          QStringLiteral("データベースのユーザーが指定されていません。\r入力してください。"), core::mbYes);
        return;
    }
    if (txtPassWord->text().trimmed().isEmpty()) {
        core::showMessage(core::MessageKind::Error,
                          QStringLiteral("データベースのパスワードが指定されていません。\r入力してください。"), core::mbYes);
        return;
    }
    if (!SaveServerSettings(false)) {
        core::showMessage(core::MessageKind::Error,
                          QStringLiteral("設定ファイル(%1)に書き込めませんでした。").arg(def.IniFile), core::mbYes);
        return;
    }
    done(core::mrOk);
}

bool TAppIniCreateBox::PreviewKey(QKeyEvent* event)
{
    // F12 on its release clicks OK; Esc is the base form's (Cancel).
    if (event->key() != Qt::Key_F12 || event->isAutoRepeat()
        || (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)))
        return false;
    if (event->type() == QEvent::KeyRelease && btnOK->isEnabled() && btnOK->isVisible())
        controls::RunGuarded([this] { OKBtnClick(); });
    return true;
}

} // namespace selection
