#pragma once
// The data-communication operations without their windows: the state of the module, the
// list's cells, the service requests and the server folders. The form TfmDataTusin drives it
// and implements IDataTusinView; tests use a recording view.

#include "communication/ArchiveSteps.h"
#include "communication/DataTusinView.h"
#include "communication/Subsystem9.h"
#include "companydata/DataListRec.h"
#include "companydata/DataInfomationRec.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

namespace core {
class TIBDatabase;
class TIBTransaction;
class TIBSQL;
}

namespace communication {

class TRelayReply;

// Operation types (SyoriType).
enum : int {
    stDataSend = 1,
    stDataReceive = 2,
    stCashBookSend = 3,
    stCashBookReceive = 4,
    stMasterSend = 5,
    stAutoReceive = 6,
    stAutoSend = 7,
    stServerCheck = 8,
    stCashBookSideSend = 9,
    stCashBookSideReceive = 10,
    stCloudSend = 20,
    stCloudReceive = 21,
    stCloudReceiveNew = 22,
    stCloudRelease = 23,
    stCloudSetting = 25,
    stCloudAreaSelect = 26,
};

// The server information table: 222 texts (entries 170 FTP host, 172 FTP password, 173 product serial).
using TServerInfo = std::array<QString, 222>;
inline constexpr int kServerInfoFtpHost = 170;
inline constexpr int kServerInfoFtpPassword = 172;
inline constexpr int kServerInfoSerial = 173;

// The list's cells: 10 rows of 8 columns.
using TListCells = std::array<std::array<QString, 8>, 10>;

class TDataTusinCtl {
public:
    explicit TDataTusinCtl(IDataTusinView& view);
    virtual ~TDataTusinCtl();

    // State fields.
    int SyoriType = 0;
    QString CloudDataFolder;
    QString WaitCaption;
    QString ReceiveFolder;
    QString BackupFileName = QStringLiteral("qmacc.fbk");
    quint8 Silent = 0;
    TServerInfo ServerInfo;
    std::array<QString, 11> LineTime;
    QDateTime SrvTime;
    int CloudKbn = 0;
    QString OpTitle;
    QString OpCode, OpName, OpNameEnc, PcName, PcNameEnc;
    QString InUseOpCode, InUseOpName;
    int ReceiveBlock = 0;
    quint8 MasterReceive = 0;
    quint8 LoaderRefused = 0;
    quint8 Restored = 0;
    QString GassanKbn, GassanCount;
    std::array<int, 3> DataVersion{};
    QStringList CheckResultList;
    // The name of the data's own cloud-share line as the module last knew it (cleared when that line is deleted).
    QString OwnLineDataName;
    TListCells Cells;
    companydata::TDataSentakuRecArray DataList;
    // The analysis-cloud and cash-book classes (stand-ins until they are part of the program).
    TSubsystem9Factories Factories = RealFactories();

    // Service requests.
    bool GetServerInfo();

    // The send of the open data set (type 1) or of CloudDataFolder (type 20): 0 done (or
    // stopped by the web-meeting question), 1 not done.
    int SendData();
    bool SaveForSend(bool showMessage);
    // The pause between transfer steps; tests set it to 0.
    int StepPauseMs = 480;
    void StepPause() const;

    // Server folders.
    void DeleteServerData();
    void DeleteCashBookFolder(int kind);
    // Throws when the request cannot be made (the caller's end steps pass it on).
    bool SetCloudShareFlag(int line, int share);
    bool CloudShareCheckOut();

    // Data routines on the company database of the operation's folder, through the module's
    // own connection.
    void OpenDataFolderConnection();
    bool ReadGassanSetting();
    bool WriteGassanSetting();
    bool HasApprovedJournals();
    bool ClearCloudLine(bool versionOnly);
    virtual bool SetCloudTime(const QDateTime& time);
    static QString GetVersionLabel(int major, int minor);
    bool SendAnalysisCloud();

    // Registry rows of the session's group.
    int GetDataListRecord();
    void UpdateDataListRecord(int index);

    // Restore and collation of received data.
    bool RestoreReceived();
    bool CollateRestoredCopy(const QString& label, const QString& host, const QString& sourceFolder,
                             const QString& targetFolder);
    bool CollateBackupInfo(const QString& label, const companydata::TDataInfomationRec& source, const QString& targetFolder);
    // What both collations share: no target path refuses; a target folder without a database
    // (a missing folder is made) passes; otherwise the target's information is brought up to
    // date from its database and compared with the source that readSource gives.
    bool CollateWithTarget(const QString& label, const QString& targetFolder,
                           const std::function<companydata::TDataInfomationRec()>& readSource);
    bool CollationCheck(const QString& label, const companydata::TDataInfomationRec& source,
                        const companydata::TDataInfomationRec& target);

    // The receive of a relay folder (type 2) or of the cloud-share line (types 21, 22): 0 done, 1 not done.
    int ReceiveData();

    // Cash-book exchange: the send into folder 01, 02 or 03 by operation type (false when it
    // failed; every failure shows its message), and the receive of folder kind 0, 1 or 2 with
    // its take-in (true when taken in).
    bool CashBookSend();
    bool CashBookReceive(int kind);

    // The data folder of the operation: CloudDataFolder for types 20 and above, else the session's.
    QString OperationFolder() const;

protected:
    IDataTusinView& view_;
    std::unique_ptr<core::TIBDatabase> IBDatabaseDAT;
    std::unique_ptr<core::TIBTransaction> IBTransaction1;
    std::unique_ptr<core::TIBSQL> IBSQL3;
    // While set, the data routines work on this folder and host instead of the operation's:
    // the received data set in the new-folder receive.
    QString dataFolderOverride_;
    QString dataHostOverride_;

    bool IsCloud() const { return SyoriType >= 20; }
    // The communication ID and password, or those of the cash-book folders.
    QString CommunicationId() const;
    QString CashBookId() const;
    QString CashBookPassword() const;
    // One request: a new connection, the request, the whole reply. Throws on connection failures.
    TRelayReply Exchange(const QByteArray& target) const;
    // A failed archive step closes the busy dialog and shows its message: true when it failed.
    bool StepFailed(const TStepResult& result);
};

// Fills a fresh table from an information reply positioned after its result line: FTP host and
// password, then ten blocks of nine lines (twelve for the cloud share). Throws when the reply
// ends early. Entry 173 is set from serial.
void ReadServerInfo(TRelayReply& reply, bool cloud, bool eraDisplay, const QString& serial, TServerInfo& info,
                    std::array<QString, 11>& lineTime);

// The framed message of the data communication: full-width space, CR LF, text, CR LF, blank.
QString Framed(const QString& text);
// The failures of the transfers: a local step's (error with a single Yes button) and a
// request's or the FTP server's (error with an OK button).
void ShowLocalError(const QString& text);
void ShowNetError(const QString& text);
// A date as the relay requests carry it: "yyyyMMdd0000".
QString DayKey(const QDate& date);

} // namespace communication
