#pragma once
// The data choice of the link wizard: opens the data-selection module "VxDataSenkaku", connects
// the chosen company data set, checks its data version, its data password and the operator's
// rights on it, and offers the selection again when any of this fails. Around the connection
// it keeps shared data sets (a local copy of a data set on a network share) and cloud-shared
// data sets consistent: fetched or received before use, stored or sent back when released.

#include "communication/DataTusin.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

namespace companydata {
class TDataInfomation;
class TDataSentakuListCtl;
}
namespace controls {
struct TMessage2InfoRec;
}
namespace taxreturn {
class TComDataExport;
}

namespace taxlink {

class TDataChoice {
public:
    // owner: the main form (owner of the progress dialogs and the communication form); the
    // exporter gives the data-type filter, the major data version and the required version.
    TDataChoice(QWidget* owner, taxreturn::TComDataExport& exporter);
    ~TDataChoice();
    TDataChoice(const TDataChoice&) = delete;
    TDataChoice& operator=(const TDataChoice&) = delete;

    // Creates the data-communication form on first use; tests put a recording one in its place.
    std::function<std::unique_ptr<communication::TfmDataTusin>(QWidget* owner)> DataTusinFactory;
    // The numbered message box (kind 3: OK means "open the selection again").
    std::function<int(controls::TMessage2InfoRec& info)> ShowBox2;

    QString LastDataFolder;     // the folder of the last data set that passed every check
    bool DataChosen = false;    // a data set has been taken on in this run
    bool DataConnected = false; // the company database is open

    // The choice-and-connect loop (the wizard: (3, true)); true when a data set is open and
    // passed every check.
    bool ConnectChosenData(int syoriType, bool openSelection);
    // The parameter lines sent to "VxDataSenkaku", joined with "\r".
    QString SelectionParams() const;
    // The four listDataInfo lines of the open data set (from core::AccInf).
    QStringList DataInfoLines() const;

    // Before use: 1 done, -912 the shared fetch failed, -922 the cloud receive failed.
    int FetchAndReceive();
    // After use: 1 done, -921 the cloud send failed, -911 the shared send-back failed.
    int CloseAndSendBack();
    // 1 fetched or nothing to do, 0 not fetched (the operator has been told).
    int FetchSharedData(bool automatic);
    // 1 stored back or nothing to do, 0 not stored.
    int SendSharedDataBack();
    // 1 done or nothing to do, -1 the transfer was not done.
    int SyncCloudShare(bool send);

    // The data part of the program's close: the company database is closed (marking the data
    // set and updating its registry row) before the data set is sent to the cloud share, and
    // the shared copy is stored back only when the cloud send went well.
    void CloseForShutdown();
    // Closes the company database when it is open (marking the data set), DataConnected := false.
    void CloseData();

    // Created on first use and owned here.
    std::unique_ptr<companydata::TDataSentakuListCtl> DataListCtl;
    std::unique_ptr<companydata::TDataInfomation> DataInfo;
    QPointer<communication::TfmDataTusin> DataTusin;

private:
    enum class TCheckOutcome { Passed, Retry, Stop };

    // Steps 5 and 7 of the loop: the first probe, and the connection with its checks.
    bool Probe();
    TCheckOutcome ConnectAndCheck();
    // The retry question under the given lines; true for "open the selection again".
    bool AskRetry(const QStringList& lines);
    companydata::TDataSentakuListCtl& ListCtl();
    communication::TfmDataTusin& Tusin();
    // The company database of the current folder closed, with or without marking.
    void CloseCompanyDatabase(quint8 writeInfo, quint8 updateList);

    QWidget* owner_;
    taxreturn::TComDataExport& exporter_;
    int syoriType_ = 3;
};

} // namespace taxlink
