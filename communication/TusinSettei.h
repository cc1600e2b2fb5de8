#pragma once
// The communication settings of the open data set (module "VxTusinSettei"): the communication
// ID and password, the analysis-cloud choice, the cash-book pair (mode 2) and the cloud-share
// face (modes 5 and 6) that binds the data set to a line of the cloud share.

#include "controls/forms/TBSDI.h"
#include "core/modules/IModuleForm.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace communication {

class TfmDataTusin;

class TfrmTusinSettei : public controls::TBSDI, public core::IModuleForm {
    Q_OBJECT
public:
    explicit TfrmTusinSettei(QWidget* owner = nullptr);
    ~TfrmTusinSettei() override;

    // Module interface.
    void SetModuleParams(const QStringList& params) override;
    int RunModule(bool modal) override;
    // Loads the values and lays out the face of the mode.
    void Prepare(int flag);

    // The cloud-share face for a data folder: 0 finished and saved, 9 cancelled or refused, 1 no
    // folder. Afterwards NewCloudLine and LineEmpty tell the chosen line.
    virtual int ExecuteCloudShareSettei(const QString& dataFolder);

    int SyoriType = 1;
    int FormStyle = 0;
    QStringList ParamList;
    QString OrgConID, OrgConPasswd;
    int CloudKbn = 0;
    QString DataFolder;
    int CloudLine = 0;
    int OrgCloudLine = 0;
    int NewCloudLine = 0;
    bool LineEmpty = false;
    bool Cancelled = false;
    bool AreaChosen = false;
    // The data-communication module of the area list (tests put their own).
    std::function<std::unique_ptr<TfmDataTusin>(QWidget* owner)> NewDataTusin;

    // The ID as the masked edit holds it: "abcd-1234-5678", blanks for missing characters.
    QString ConIdText() const;
    QLineEdit* txtConID = nullptr;
    QLineEdit* txtConPasswd = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* xURLButton = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* btnKyouyu = nullptr;
    QPlainTextEdit* HintArea = nullptr;

    // Keys and buttons.
    void EscClick();
    void F12Click();
    void KyouyuClick();
    void URLButtonClick();
    // Leaving the edits: false (message shown) for a password with a blank.
    bool PasswordExit();
    void ConIdExit();

    bool ConnectDataFolder();
    void DisconnectDataFolder();

    // The keys the two edits let through.
    static bool KeyPasses(QChar c);

public slots:
    void done(int result) override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Save();
    void PrepareCloudFace();
    void SetLineLabel(int line);
    bool HasApprovedJournals();
};

// Registers the module "VxTusinSettei".
void RegisterTusinSetteiModule();

} // namespace communication
