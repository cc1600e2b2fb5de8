#pragma once
// The session record: where the program runs, who is logged on, how the databases are reached
// and the operator's screen and print settings. A plain value record; start-up, login and data
// selection fill its session part, TDM::fnGetSysDef its operator part.
// Texts that name folders hold native paths; flags are 0/1; colours are 0x00BBGGRR.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtGlobal>

#include <array>

namespace core {

// A font as the program keeps it; the controls turn it into a QFont.
struct TFontRec {
    QString Name;
    qint32 Size = 0;    // points
    qint32 Height = 0;  // pixels, negative for the character height as Windows gives it
    qint32 Style = 0;   // 0 none, 1 bold, 2 italic, 3 bold and italic
    qint32 CharSet = 0;
};

struct TSystemDef {
    // Session and environment (start-up, application INI file, login).
    qint32 GROUPID = 10000;
    QString IniFile;       // full name of the application INI file
    QString WinUserName;
    QString WinSystemDir;
    QString DocumentsDir;  // the user's Documents folder and AppInfo HomeDir
    QString DataRoot;      // the common application-data folder and AppInfo HomeDir
    QString ExeDir;        // folder of the program file, without trailing delimiter
    QString ProgramRoot;   // parent of ExeDir
    QString PrintDir;      // ProgramRoot + "print"
    QString HelpDir;       // ProgramRoot + "help"
    QString SqlDir;        // ProgramRoot + "sql"
    QString IniDir;        // DataRoot + "ini"
    QString LogDir;        // DataRoot + "log"
    QString TempDir;       // DataRoot + "temp"
    QString WorkDir;       // the TEMP folder of the environment
    QString ViewDataDir;   // WorkDir + AppInfo EChoboDataDir
    QString SYSDIR;        // folder of the system database; default DataRoot + "data"
    QString DataFolder;    // folder of the selected company data set; empty until one is
    QString HOSTNAME;      // database server; default the computer name
    quint8 GOGLOBAL = 0;   // INI value GOGLOBAL is "YES"
    quint8 GROUP = 0;      // INI value GROUP is "YES"
    QString USER = QStringLiteral("TALLEK");
    QString PASSWORD = QStringLiteral("vorbin");
    QString Serial;        // written into the database error logs; left empty
    QString ComputerName;
    qint32 OPCODE = 0;     // session code = GROUPID × 10000 + LoginCode
    qint32 LoginCode = 0;
    QString OPNAME;
    qint32 JobLevel = 0;   // 9 is the administrator level
    quint8 Supervisor = 0;
    QString FacilityCode;  // SCODE of the operator's usual facility, " " when none
    quint8 MyNumberAdmin = 0;
    quint8 MyNumberApprover = 0;
    qint32 FacilityKind = 0; // JIGYOKBN of that facility
    QString FacilityCode2;   // the same facility code as FacilityCode

    // Operator settings: the columns of the operator's SYSDEF row.
    QString FontName;
    qint32 FontSize = 0;
    qint32 FontStyle = 0;
    qint32 FontCharSet = 0;
    qint32 FontHeight = 0;
    qint32 GridResize = 0;
    qint32 ShowHint = 0;
    qint32 GridMaxRow = 0;
    qint32 GridRsiz = 0;
    qint32 PanelColor = 0;
    qint32 PanelBackColor = 0;
    qint32 MenuPrintSw = 0;
    qint32 ColHeaderColor = 0;
    qint32 FixedTopColor = 0;
    qint32 RowHeaderColor = 0;
    qint32 FixedLeftColor = 0;
    qint32 ActiveColor = 0;
    qint32 ClientColor = 0;
    qint32 ClientColor1 = 0;
    qint32 ClientColor2 = 0;
    qint32 ClientColor3 = 0;
    qint32 TotalColor = 0;
    qint32 ColHeaderGradColor1 = 0;
    qint32 ColHeaderGradColor2 = 0;
    qint32 ForeColor = 0;
    qint32 BorderColor = 0;
    qint32 ThruBorderColor = 0;
    QString PrinterName;
    qint32 PreviewZOOM = 0;
    qint32 NetColor1 = 0;
    qint32 NetColor2 = 0;
    qint32 PLineColor1 = 0;
    qint32 PLineColor2 = 0;
    qint32 HojWait = 0;
    qint32 DicSwitch = 0;
    qint32 DicTekAuto = 0;
    qint32 DicTorAuto = 0;
    qint32 DicUsednt = 0;
    qint32 DicType = 0;
    qint32 DicNum1 = 0;
    qint32 DicNum2 = 0;
    qint32 DicSortType = 0;
    qint32 TEK_AUTOUP = 0;
    qint32 TOR_AUTOUP = 0;
    qint32 UserPrint = 0;
    qint32 SwkTotal = 0;
    qint32 SwkLine = 0;
    qint32 Reserve3 = 0;
    qint32 Reserve1 = 0;
    qint32 KingakuPlus = 0;
    qint32 ZeroPrint = 0;
    qint32 SankakuPlus = 0;
    qint32 Reserve2Switch1 = 0; // bit 1 of Reserve2
    qint32 Reserve2Switch2 = 0; // bit 2 of Reserve2
    qint32 Reserve2 = 0;
    qint32 Reserve4 = 0;
    qint32 Reserve5 = 0;
    QString SSTR;
    qint32 Shouhyou = 0; // SYSDEF column not read by this program; kept for the row's update

    // Further session fields.
    QString AppName;
    QString AppName2;
    QString AppVersion;     // for the error logs; left empty
    qint32 AppVersionNo = 0;  // APPVERSION of the login procedure; left 0
    qint32 AppVersionNo2 = 0;
    qint32 MFTop = 0;
    qint32 MFLeft = 0;
    qint32 MFWidth = 0;
    qint32 MFHeight = 0;
    QString DataBaseVersion; // "%d.%d.%d" of the open company database
    qint32 OsVersion = 0;
    TFontRec ScreenFont;
    TFontRec BaseFont;
    qint32 MenuHeight = 0;
    qint32 FrameHeight = 0;
    qint32 CaptionHeight = 0;
    qint32 FrameAdjust = 0;  // 0 when FrameHeight < 5, else 2 × (FrameHeight − 4)
    qint32 ShowDataSentaku = 0;
    QString ZenkaiDrive;     // SYSDEF ZenkaiDrive; the shared drive letter data selection uses
    qint32 LastMenu = 0;
    // Message lines joined by CR from data selection and data communication; also the
    // re-selection paths "PATH1=%s" CR "PATH2=%s".
    QString SelectionMessage;
    quint8 HostMenuState = 0;
    quint8 DialogShown = 0;
    QString OfficeName;
    QString OfficeAddress;
    QString OfficeTel;
    qint32 OfficeValue1 = 0;
    qint32 OfficeValue2 = 0;
    qint32 OfficeValue3 = 0;
    qint32 Reserve4Switch1 = 0;
    qint32 Reserve4Switch2 = 0;
    qint32 Reserve4Switch3 = 0;
    qint32 Reserve4Switch4 = 0;
    qint32 Reserve4Switch5 = 0; // 1 from bit 5, 2 from bit 6, else 0
    qint32 Reserve4Switch6 = 0;
    qint32 Reserve4Switch7 = 0;
    qint32 LocalAdmin = 0;      // 1 makes every operator an administrator
    qint32 Reserve4Switch8 = 0;
    qint32 Reserve4Switch9 = 0; // era display switch of the date routines
    qint32 Reserve4Switch10 = 0;
    qint32 NextFieldMove = 0;
    quint8 KamokuDigits = 0;
    quint8 HojoDigits = 0;
    quint8 BumonDigits = 0;
    quint8 DateFocus = 2;
    qint32 DataBroken = 0;
    qint32 DataCheck = 0;
    qint32 TrialTotalOut = 0;
    qint32 LedgerTitleOut = 0;
    qint32 BsPageBreak = 0;
    qint32 TrialTitleOut = 0;
    QString TrialTitle;
    // Print titles: index 0 全科目, 1 定形A4, 2 定形A3.
    std::array<QString, 3> BsTitles;
    std::array<QString, 3> AssetTitles;
    std::array<QString, 3> LiabilityTitles;
    std::array<QString, 3> PlTitles;
    std::array<QString, 3> SgaTitles;
    qint32 ServerDataPlace = 0;
    qint32 TekiyoEditMode = 0;
    qint32 LedgerOneLine = 0;
    qint32 LedgerTagMark = 0;
    qint32 AssocExtract = 0;
    QString CurrentDataName;
    qint32 TekiyoInput = 0;
    qint32 TorihikiInput = 0;
    qint32 BackRuling = 0;
    qint32 TaxCodePrint = 0;
    qint32 BillOffset = 0;
    qint32 SgaInclude = 0;
    qint32 TrialRowAdjust = 0;
    qint32 FacilityColor = 0;
    qint32 AssocCodeInput = 0;
    qint32 AssocListOrder = 0;
    QString ServerDataRoot; // ends with AppInfo ServerDir
    qint32 SysDbMajor = 0;
    qint32 SysDbMinor1 = 0;
    qint32 SysDbMinor2 = 0;
    qint32 TrialPeriodOut = 0;
    QString TrialTitle2;
    qint32 TekiyoDicOpen = 0;
    qint32 TorihikiDicOpen = 0;
    qint32 TekiyoAssocOpen = 0;
    qint32 TorihikiAssocOpen = 0;
    qint32 TekiyoAutoOpen = 0;
    qint32 TorihikiAutoOpen = 0;
    qint32 TekiyoNoInput = 0;
    qint32 TorihikiNoInput = 0;
    // The animated progress dialog that is open; clears itself when the dialog goes away.
    QPointer<QObject> ProgressDialog;
    qint32 MakeTotalRow = 0;

    // Values the data selection, the login and the communication keep for the session.
    QString DataListFolder;     // PASNAME of the current data set
    qint32 AutoShare = 0;       // SYSREG 共有データの取得と保管を自動化する
    qint32 DataListAutoUpdate = 0;
    qint32 FocusedRowColor = 0;
    QString ServerTempDir;      // client/server mode: drive of SYSDIR + AppInfo ServerTempDir
    QString ServerWorkDir;
    qint32 PeriodShift = 0;     // above 0 shifts period numbers by 16
};

} // namespace core
