#include "controls/chooser/TFileOperationBox.h"

#include "controls/buttons/TxPlButton.h"
#include "controls/combo/TxComboBox.h"
#include "controls/dialogs/LongHint.h"
#include "controls/edits/TxEdit.h"
#include "controls/forms/FormState.h"
#include "controls/forms/ScreenCursor.h"
#include "core/Globals.h"
#include "core/files/FolderHistory.h"
#include "core/os/QtShellDialogs.h"
#include "core/os/SaveDialogs.h"
#include "core/os/SaveLocationRule.h"
#include "core/text/SjisText.h"
#include "core/ui/MessageService.h"
#include "platform/Cp932.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QTimer>

namespace controls {

namespace {

constexpr int kClientWidth = 475;
constexpr int kClientHeight = 267;
constexpr int kBottomHeight = 121;

const QString kNoFileName = QStringLiteral("ファイル名を入力または[参照]ボタンより選択して下さい。\r");
const QString kNoPlace = QStringLiteral("場所を選択するか[参照]ボタンより選択して下さい。\r");

// The place without a trailing "/" (the root folder stays "/").
QString withoutTrailingDelimiter(const QString& place) {
    QString result = place;
    while (result.size() > 1 && result.endsWith(u'/'))
        result.chop(1);
    return result;
}

QString joinPath(const QString& place, const QString& name) {
    const QString folder = withoutTrailingDelimiter(place);
    return (folder == QStringLiteral("/") ? QString() : folder) + u'/' + name;
}

TxPlButton* makeButton(const QString& caption, QWidget* parent) {
    auto* button = new TxPlButton(parent);
    button->CaptionA().SetCaption(caption);
    return button;
}

} // namespace

TFileOperationBox::TFileOperationBox(QWidget* owner) : TBSDI(owner, bsDialog) {
    HostMenuSw = false;
    SkipOtherProcSw = false;
    FormSizeSw = false;
    // The opener reads the results and frees the dialog.
    KeepOnClose = true;

    pnlClient = new QWidget(this);
    lblMain = new QLabel(pnlClient);
    lblMain->setWordWrap(true);
    lblMain->setTextFormat(Qt::PlainText);
    lblMain->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblFileSelect = new QLabel(QStringLiteral("保存先の場所:"), pnlClient);
    cmbFileSelect = new TxComboBox(pnlClient);
    cmbFileSelect->SetStyle(csDropDownList);
    cmbFileSelect->setMaxVisibleItems(10);
    cmbFileSelect->SetKeyStyles(TKeyStyles{ksEnter});
    btnSansyo = makeButton(QStringLiteral("参照"), pnlClient);
    btnSansyo->setFocusPolicy(Qt::ClickFocus);
    btnHistDelete = makeButton(QStringLiteral("履歴削除"), pnlClient);
    btnHistDelete->setFocusPolicy(Qt::ClickFocus);
    lblFileName = new QLabel(QStringLiteral("ファイル名:"), pnlClient);
    txtFileName = new TxEdit(pnlClient);

    pnlBottom = new QWidget(this);
    HintArea = new QPlainTextEdit(pnlBottom);
    HintArea->setReadOnly(true);
    HintArea->setFocusPolicy(Qt::NoFocus);
    btnOK = makeButton(QStringLiteral("OK"), pnlBottom);
    btnOK->SetModalResult(core::mrOk);
    btnCancel = makeButton(QStringLiteral("キャンセル"), pnlBottom);
    btnCancel->SetModalResult(core::mrCancel);

    lblMain->setGeometry(24, 16, 427, 33);
    lblFileSelect->setGeometry(32, 56, 361, 15);
    cmbFileSelect->setGeometry(32, 72, 361, 21);
    btnSansyo->setGeometry(397, 72, 54, 21);
    btnHistDelete->setGeometry(381, 48, 70, 21);
    lblFileName->setGeometry(32, 104, 215, 15);
    txtFileName->setGeometry(32, 120, 215, 21);
    HintArea->setGeometry(24, 8, 427, 64);
    btnOK->setGeometry(257, 84, 90, 26);
    btnCancel->setGeometry(361, 84, 90, 26);
    setFixedSize(kClientWidth, kClientHeight);

    btnSansyo->OnClick = [this](QObject*) { BrowseClicked(); };
    btnHistDelete->OnClick = [this](QObject*) { HistDeleteClicked(); };
    btnOK->OnClick = [this](QObject*) { OkClicked(); };

    HintMemo = HintArea;
    F12Button = btnOK;
    HistFolder = core::SystemDef.IniDir;
    MessageColor = palette().color(QPalette::WindowText);
    InitOK = true;
}

void TFileOperationBox::resizeEvent(QResizeEvent* event) {
    TBSDI::resizeEvent(event);
    placePanels();
}

void TFileOperationBox::placePanels() {
    const int bottom = qMin(kBottomHeight, height());
    pnlClient->setGeometry(0, 0, width(), height() - bottom);
    pnlBottom->setGeometry(0, height() - bottom, width(), bottom);
}

void TFileOperationBox::Prepare(int flag) {
    prepareFlag_ = flag;
    LayoutControls();
    FirstLayout = false;
}

void TFileOperationBox::SetHints() {
    SetHint(cmbFileSelect, PlaceHint);
    SetHint(btnSansyo, PlaceHint);
    SetHint(btnHistDelete, QStringLiteral("履歴を削除します。|履歴を削除します。"));
    SetHint(txtFileName, FileNameHint);
    SetHint(btnOK, QStringLiteral("処理を確定します。"));
    SetHint(btnCancel, QStringLiteral("処理をキャンセルします。"));
}

void TFileOperationBox::LayoutControls() {
    SetHints();
    const bool fileMode = IsFileMode();
    lblFileName->setVisible(fileMode);
    txtFileName->setVisible(fileMode);
    txtFileName->setText(fileMode ? FileName : QString());
    btnHistDelete->setVisible(UseHistory);
    setWindowTitle(Title);
    lblMain->setText(Message);
    QPalette messagePalette = lblMain->palette();
    messagePalette.setColor(QPalette::WindowText, MessageColor);
    lblMain->setPalette(messagePalette);
    lblFileSelect->setText(PlaceLabel);

    cmbFileSelect->clear();
    LoadHistory();
    if (!Folder.isEmpty() && cmbFileSelect->findText(Folder, Qt::MatchExactly) < 0)
        cmbFileSelect->addItem(Folder);
    cmbFileSelect->setCurrentIndex(cmbFileSelect->count() > 0 ? 0 : -1);
}

QString TFileOperationBox::HistoryPath() const {
    if (HistFolder.isEmpty() || HistFile.isEmpty() || HistSection.isEmpty())
        return QString();
    return joinPath(HistFolder, HistFile);
}

bool TFileOperationBox::IsHistoryPlace(const QString& place) {
    // A line of the section holds one value: no line breaks, no blanks the reader would trim
    // away, nothing Shift-JIS cannot hold.
    if (core::TrimZenkaku(place).isEmpty() || place != place.trimmed() || place.contains(u'\r') || place.contains(u'\n'))
        return false;
    try {
        platform::toCp932(place);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void TFileOperationBox::LoadHistory() {
    History.clear();
    const QString path = HistoryPath();
    if (path.isEmpty())
        return;
    QStringList places;
    try {
        places = core::ReadFolderHistory(path, HistSection);
    } catch (const std::exception&) {
        // An unreadable history only means no places to offer.
    }
    for (const QString& place : places)
        if (IsHistoryPlace(place))
            History << place;
    cmbFileSelect->addItems(History);
}

void TFileOperationBox::SaveHistory() {
    const QString path = HistoryPath();
    const QString place = SelectedPlace();
    if (path.isEmpty())
        return;
    if (IsHistoryPlace(place))
        History = core::PutFolderFirst(History, place);
    QStringList kept;
    for (const QString& entry : History)
        if (IsHistoryPlace(entry))
            kept << entry;
    History = kept.mid(0, core::kFolderHistoryMax);
    core::WriteFolderHistory(path, HistSection, History);
}

void TFileOperationBox::SelectPlace(const QString& folder) {
    int index = cmbFileSelect->findText(folder, Qt::MatchExactly);
    if (index < 0) {
        cmbFileSelect->insertItem(0, folder);
        index = 0;
    }
    cmbFileSelect->setCurrentIndex(index);
}

QString TFileOperationBox::SelectedPlace() const {
    return cmbFileSelect->currentIndex() >= 0 ? cmbFileSelect->currentText() : QString();
}

void TFileOperationBox::BrowseClicked() {
    if (IsFileMode())
        browseFile(FileMode == 1);
    else
        browseFolder();
}

void TFileOperationBox::browseFile(bool save) {
    const QString path = joinPath(SelectedPlace(), core::TrimZenkaku(txtFileName->text()));
    QString filter;
    if (!FilterName.isEmpty() && !DefaultExt.isEmpty())
        filter = QStringLiteral("%1 (*.%2)|*.%3|").arg(FilterName, DefaultExt.toLower(), DefaultExt.toUpper());
    filter += QStringLiteral("すべてのﾌｧｲﾙ(*.*)|*.*");
    const bool exists = QFileInfo::exists(path) && QFileInfo(path).isFile();

    QString chosen;
    if (save) {
        core::TSaveDialog dialog;
        dialog.Title = QStringLiteral("ファイルの選択");
        dialog.Filter = filter;
        dialog.DefaultExt = DefaultExt;
        dialog.InitialDir = exists ? Folder : SelectedPlace();
        dialog.FileName = path;
        if (!core::ExecuteSaveDialog(dialog, chosen))
            return;
    } else {
        QFileDialog dialog(this, QStringLiteral("ファイルの選択"), exists ? Folder : SelectedPlace());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(core::QtShellDialogs::nameFilters(filter));
        dialog.setDefaultSuffix(DefaultExt);
        if (exists)
            dialog.selectFile(path);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        chosen = dialog.selectedFiles().first();
    }
    const QFileInfo info(chosen);
    SelectPlace(info.absolutePath());
    txtFileName->setText(info.fileName());
}

void TFileOperationBox::browseFolder() {
    QString folder = SelectedPlace();
    if (core::SelectSaveFolder(QStringLiteral("フォルダの選択"), folder, true))
        SelectPlace(folder);
}

void TFileOperationBox::HistDeleteClicked() {
    if (core::showMessage(core::MessageKind::Confirmation, QStringLiteral("履歴を削除します。よろしいですか？"),
                          core::mbOKCancel)
        != core::mrOk)
        return;
    const QString current = SelectedPlace();
    cmbFileSelect->clear();
    if (!current.isEmpty())
        cmbFileSelect->addItem(current);
    cmbFileSelect->setCurrentIndex(cmbFileSelect->count() > 0 ? 0 : -1);
    History.clear();
    SaveHistory();
}

bool TFileOperationBox::AcceptInput() {
    const QString name = core::TrimZenkaku(txtFileName->text());
    if (IsFileMode() && name.isEmpty()) {
        core::showMessage(core::MessageKind::Information, kNoFileName, core::mbYes);
        txtFileName->setFocus();
        return false;
    }
    QString place = SelectedPlace();
    if (core::TrimZenkaku(place).isEmpty()) {
        core::showMessage(core::MessageKind::Information, kNoPlace, core::mbYes);
        cmbFileSelect->setFocus();
        return false;
    }
    if (!core::CheckSaveFolder(place))
        return false;
    place = withoutTrailingDelimiter(place);
    // The check may have offered the Documents folder instead: that is the place now.
    if (place != withoutTrailingDelimiter(SelectedPlace()))
        SelectPlace(place);
    ResultPath = IsFileMode() ? joinPath(place, name) : place;
    if (UseHistory)
        SaveHistory();
    return true;
}

void TFileOperationBox::OkClicked() {
    SetFormModalResult(this, core::mrNone);
    if (AcceptInput())
        SetFormModalResult(this, core::mrOk);
}

void TFileOperationBox::showEvent(QShowEvent* event) {
    TBSDI::showEvent(event);
    if (event->spontaneous())
        return;
    if (!InitOK) {
        core::showMessage(core::MessageKind::Error, InitFailedMessage(windowTitle()), core::mbYes);
        QTimer::singleShot(0, this, [this] { done(core::mrCancel); });
        return;
    }
    update();
    if (txtFileName->isVisibleTo(this) && txtFileName->isEnabled())
        txtFileName->setFocus(Qt::OtherFocusReason);
    else
        cmbFileSelect->setFocus(Qt::OtherFocusReason);
    ResetScreenCursor();
}

} // namespace controls
