#pragma once
// The cloud-share entry points of the data-communication module on top of its operations: the
// release of a line's in-use mark, the two list runs, the send, the receive and the receive into
// a new folder. Each sets the operation type, checks its preconditions, drives the requests and
// transfers and returns 0 (done, or nothing needed doing) or 1 (not done). The form
// TfmDataTusin owns one and supplies its windows; tests use a recording view.

#include "communication/DataTusinCtl.h"
#include "communication/HikakuMess.h"

#include <functional>

namespace communication {

class TCloudShareCtl : public TDataTusinCtl {
public:
    explicit TCloudShareCtl(IDataTusinView& view);

    // The step window of the receive's authentication check (open with its one box, set, close).
    struct TWaitWindow {
        std::function<void(const QString& caption)> open = [](const QString&) {};
        std::function<void(const QString& caption, bool finished)> set = [](const QString&, bool) {};
        std::function<void()> close = [] {};
    };
    TWaitWindow WaitWindow;
    // Prepares and shows the cloud-share list modally (types 25 and 26); the form fills it.
    std::function<void()> RunList = [] {};

    // Operator and computer names of the requests.
    void PrepareOperatorInfo();

    // The company database of the operation's folder: connected (when it was not) and its
    // information loaded; false when the data is not usable.
    bool ConnectData();
    bool DisconnectData();
    quint8 DataConnected = 0;
    quint8 CloseDataOnExit = 0;

    int CloudShareRelease(const QString& folder);
    int CloudShareSetting(const QString& folder);
    int CloudShareAreaSelect(const QString& folder);
    int CloudShareSend(const QString& folder, const QString& caption, int silent);
    int CloudShareReceive(const QString& folder, int silent, int check);
    int CloudShareReceiveNew(const QString& folder, int silent);

    // The folder the last successful cloud receive filled: the data folder after type 21,
    // ReceiveFolder after type 22; empty otherwise.
    QString ReceivedDataFolder;

    // The dispatcher of the operation types 1 to 10 up to the list dialog: the result, with
    // showDialog set for types 1 and 2 once their checks passed (the form shows the list).
    int RunOperation(bool& showDialog);
    // The send's comparison with relay block b: 1 agreed, -1 refused, 2 nothing differs.
    int ConfirmOverwrite(int block);
    // The operation history's end record.
    void WriteEndHistory();
    quint8 ListPending = 0;
    QString ListFolder;

    // What the dispatcher asks of the form: the comparison window (answers HikakuYes), whether
    // a top-level window of a title exists, the caption and help page of the type, the wider
    // face of the server check, and the operation history (0 start, 1 end).
    std::function<int(const THikakuLayout&)> ShowHikaku = [](const THikakuLayout&) { return 0; };
    std::function<bool(const QString& title)> TopLevelWindowExists = [](const QString&) { return false; };
    std::function<void()> ShowTypeCaption = [] {};
    std::function<void()> ServerCheckFace = [] {};
    std::function<void(int state)> ProcRireki = [](int) {};

    // The 13-part message of a line in use by someone else; row is the line's 0-based row.
    QString InUseMessage(int row);

private:
    // Refuses a line in use by someone else (state "2" with an operator or computer other than ours).
    bool LineInUseByOther(int row) const;
    bool RefuseLineInUse(int row);
    int Receive(const QString& folder, int silent, bool intoNewFolder);
    int RunCashBookSteps();
    int CashBookSendStep();
    int MasterSendStep();
    int CashBookReceiveStep();
    bool HasData(int block) const;
    bool SamePeriod(int block) const;
    QString ServerPeriod(int block) const;
};

// Caption and help page of an operation type ("" for the types without their own).
QString TypeCaption(int syoriType);
QString TypeHelpPage(int syoriType);

// "<class> error , with message : <message>" of an error raised in a guarded step.
QString ErrorDescription(const std::exception& e);

} // namespace communication
