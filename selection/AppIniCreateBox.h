#pragma once
// The application INI file (core::SystemDef.IniFile) and TAppIniCreateBox ("データサーバーの設定"),
// the dialog in which the operator enters the data server of the client/server mode.
//
// The file holds, per machine, how the program reaches its system database: [APPLICATION] with
// the main window's place and size and CONNECT (the connection mode last used), and one section
// per mode ([LOCAL] 0, [SERVER] 1, [SBC] 2) with HOSTNAME, GOGLOBAL, GROUP, SYSDIR, USER and
// PASSWORD. The routines open the file for each call and cache nothing. Since the file holds
// the database password in plain text, every write leaves it readable by its owner only.
//
// SYSDIR is a folder as the database server sees it: a native folder such as /srv/taxlink/data
// for a Linux server, or a drive and path ("D:\tallekzaimu\data") for a Windows server. It is
// stored and used exactly as given; its case is never changed.
//
// Used two ways: hidden, to write the default file at start-up (SaveServerSettings(true)), and
// as a modal dialog that the login creates with itself and shows on its server-settings button.

#include "controls/forms/TBSDI.h"

#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace selection {

// Section of a connection mode: 1 "SERVER", 2 "SBC", any other "LOCAL".
QString ConnectSectionName(int mode);
// The drive of a path that starts with a drive letter ("D:\x" → "D:"), else empty.
QString DriveOf(const QString& path);

class TAppIniCreateBox : public controls::TBSDI {
    Q_OBJECT
public:
    explicit TAppIniCreateBox(QWidget* owner = nullptr);
    ~TAppIniCreateBox() override;

    // The ready flag: creation completed.
    bool Ready() const { return InitOK; }

    // Writes the session's connection settings. New file: erases the old layout's sections,
    // writes [APPLICATION] with its defaults, [LOCAL] from the session and [SERVER] empty but
    // for USER and PASSWORD; else the six keys of the current ConnectMode's section. False when
    // the file could not be written (nothing is reported here).
    bool SaveServerSettings(bool newFile);
    // APPLICATION/CONNECT := mode, for modes 0-2 and application kind 0. False when not written.
    bool SaveConnectMode(int mode);
    // APPLICATION/CONNECT as an integer, 0 when missing or not a number (0 for other kinds).
    int LoadConnectMode();
    // The mode's section into the session: HOSTNAME, GOGLOBAL (exactly "YES"), SYSDIR as stored,
    // USER upper-cased, PASSWORD lower-cased; the group flag cleared. Returns 1.
    int LoadServerSettings(int mode);
    // The settings by application kind: 0 and 2 the mode's section, 1 and 3 fixed folders; 1, or
    // 0 for an unknown kind.
    int LoadDefaultSettings(int mode);

    // The first show: the [SERVER] settings into the controls. Public so that the settings can
    // be put into the controls without showing the dialog.
    void CMShowingChanged() override;
    void btnCompShowClick();
    // Takes the controls into the session, checks them and writes the mode's section; the
    // dialog then ends with OK. A refused entry leaves it open (result 0).
    void OKBtnClick();

    // The section the dialog edits (always SERVER).
    int EditSection = 1;
    // The data path is a native folder (SYSDIR did not start with a drive letter): txtDataPath
    // holds SYSDIR itself and the drive combo is not used.
    bool NativeDataPath = false;

    QLabel* lblMessage1 = nullptr;
    QLabel* lblMessage2 = nullptr;
    QLineEdit* txtHostName = nullptr;
    QPushButton* btnCompShow = nullptr;
    QComboBox* cmbDrive = nullptr;
    QLineEdit* txtDataPath = nullptr;
    QLineEdit* txtUserName = nullptr;
    QLineEdit* txtPassWord = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

private:
    void buildControls();
    bool PreviewKey(QKeyEvent* event);
};

} // namespace selection
