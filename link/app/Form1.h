#pragma once
// The program's main form: the link wizard. It takes the calling program's argument, reads the
// application information, creates the exporter and checks the installed accounting product's
// version; its start-up step prepares the session's folders, the application INI file and the
// data module; on first show it logs the operator in; its pages lead to the intermediate file;
// at the end it releases the data, deletes the logon record and tells the calling program the
// result (0 done, 1 cancelled, 2 failed).

#include "link/app/LinkRules.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace controls {
class TxKikanPanel16;
class TxWizard;
}
namespace taxreturn {
class THojinZeiDataExport;
}

namespace taxlink {

class TDataChoice;
class TEquityPage;

// Set to make the form close itself once it is shown, before the login (for CI and scripts:
// the one command-line argument belongs to the calling program).
inline constexpr char kCloseOnShowVariable[] = "TAXLINK_CLOSE_ON_SHOW";

class TForm1 : public QWidget {
    Q_OBJECT
public:
    // programFile: the program's path (AppInfo.ini lies beside it); arguments: the command
    // line without the program name. Creation runs FormCreate; when that has to end the program
    // at once, EndAtOnce() is true (the message has been shown and the caller told 2).
    TForm1(const QString& programFile, const QStringList& arguments, QWidget* parent = nullptr);
    ~TForm1() override; // FormDestroy

    bool EndAtOnce() const { return endAtOnce_; }
    // The start-up step; false when the program must end (the message has been shown).
    bool StartUp();

    // 0 done, 1 cancelled, 2 failed; posted to the calling program when the form goes.
    int ResultCode = 2;

    // Caller handshake.
    qint64 CallerWnd = 0;
    quint32 CallerMsg = 0;
    quint32 CallerParam = 0;
    QString CallerPath;

    QString SystemDrive;
    QString DocumentsDir;
    QString InitErrorText;
    bool LoggedOn = false;

    std::unique_ptr<taxreturn::THojinZeiDataExport> Exporter;
    std::unique_ptr<TDataChoice> DataChoice;

    // Wizard and pages.
    controls::TxWizard* Wizard1 = nullptr;
    QPushButton* Button1 = nullptr; // < 戻る(&B)
    QPushButton* Button2 = nullptr; // 次へ(&N) > / 完了(&F)
    QPushButton* btnCancel = nullptr;
    QPlainTextEdit* Memo1a = nullptr;
    QPlainTextEdit* Memo1b = nullptr;
    QLabel* Label2a = nullptr;
    QLabel* Label2c = nullptr;
    QTreeWidget* listDataInfo = nullptr; // value list: key and value under a title row
    QPushButton* btnDataSentaku = nullptr;
    QLabel* Label3a = nullptr;
    QLabel* Label3b = nullptr;
    QLabel* lblKikanComment = nullptr;
    controls::TxKikanPanel16* xKikanPanel3a = nullptr;
    QRadioButton* RadioButton3a = nullptr; // 税込み
    QRadioButton* RadioButton3b = nullptr; // 税抜き
    TEquityPage* page9 = nullptr;
    QLabel* Label4a = nullptr;
    QLabel* Label4b = nullptr;
    QLineEdit* Edit4a = nullptr;
    QPushButton* BitBtn4a = nullptr;
    QPlainTextEdit* Memo5a = nullptr;
    QPlainTextEdit* Memo5b = nullptr;

    // The wizard's steps, callable directly (tests drive the wizard through them).
    void Wizard1NextClicking(QObject* sender, bool finalState, bool& allowChange);
    void Wizard1NextClick(QObject* sender, bool finalState);
    void Wizard1PageChanged();
    void btnDataSentakuClick();
    void xKikanPanel3aMouseUp();
    void BitBtn4aClick();
    void btnCancelClick();
    bool CheckDataChosen();
    void BuildSummary();
    QDate PeriodDate(const QString& which) const;
    int RunExport(); // 1 written, 3 refused with an information, 4 failed

    // The page currently shown ("page1" …).
    QString CurrentPageName() const;

    // A termination signal: the form closes as the close box would close it, without any
    // question; open modal windows are dismissed first. Result 1.
    void CloseBySignal();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate(const QStringList& arguments);
    void BuildPages();
    void SetWizardTexts();
    void ApplyAppInfo();
    void InitSystemEnvironment();
    bool CreateDefaultIni();
    bool RunLogon();
    void FirstShow();
    void CloseDataAndSession();
    void FormDestroy();
    void EndWithMessage(const QString& text);
    // The period rules applied to the panel; the notice when a mid-year data set's choice moved.
    void ApplyPeriodRulesToPanel(const QString& midYearNotice);

    QString programFile_;
    bool endAtOnce_ = false;
    bool callerMsgKnown_ = false; // the caller's message number was read
    bool shownOnce_ = false;
    bool closing_ = false;
    bool closedByProgram_ = false;
    QTimer* signalClose_ = nullptr; // dismisses modal windows until the form can close
};

} // namespace taxlink
