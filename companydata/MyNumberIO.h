#pragma once
// The My Number (マイナンバー) settings of a company data set and their audit log. Three ACCREG
// rows of group "基本設定" say whether the data set manages My Number information ("＃USE") and
// hold its management password ("＃KEY") and a second text ("＃VALUE"), the last two stored in
// the form of MyNumberCodec.h. Every operation that moves such data is written into the company
// table MYNUMBER_LOG. The backup and restore worker asks the password, clears the settings for
// a backup without them, and logs and merges the audit rows through this class.
//
// "Working on a data set" (the ...OfData / ...ToData operations and the settings): the database
// file must exist (FExist with the session's connection mode), else nothing happens; the company
// database is connected to its folder for the operation when it is not connected, and closed
// again afterwards, also after a failure; an open connection is used as it is when it is that
// of the data set, and when it belongs to another data set nothing happens.

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <vector>

namespace companydata {

// One row of MYNUMBER_LOG. An invalid Hizuke stands for "no time yet".
struct TMyNumberLogRec {
    QDateTime Hizuke;
    QString Serial;
    QString OpCode;
    QString OpName;
    QString Host;
    quint8 State = 0;
    QString ProcName;
    QString Comment;
};
using TMyNumberLogList = std::vector<TMyNumberLogRec>;

// Event codes this program writes.
enum : quint8 { kMyNumberDeleted = 3, kMyNumberSavedWith = 6, kMyNumberRestored = 7 };

// The event text of the code for the process name (cut to 100 CP932 bytes and trimmed).
QString MyNumberLogComment(quint8 state, const QString& procName);

class TMyNumberIO {
public:
    QString TradeName;  // trade name of the data set whose log was read last
    qint32 LogCount = 0;
    TMyNumberLogList LogList;
    TMyNumberLogRec LogRec; // the row written when the settings were cleared
    qint32 UseMyNumber = 0;
    QString MyNumberKey;   // decoded
    QString MyNumberValue; // decoded

    // The clock of AddLog; tests replace it.
    std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };

    // The row of the session's login for the event: no time yet, computer name cut to 60 and
    // process name to 40 CP932 bytes (never half a character), both trimmed.
    static void InitLogRec(TMyNumberLogRec& row, quint8 state, const QString& procName);

    // Trade name and audit rows of the open company database, newest or oldest first. A
    // failure is shown.
    void GetLogList(bool newestFirst);
    void GetLogListOfData(const QString& host, const QString& databaseFile);

    // Inserts the row into the open company database. A row that meets the unique key is tried
    // again with a fresh time, up to four attempts in all; the row keeps the time written.
    void AddLog(TMyNumberLogRec& row);
    void AddLogToData(TMyNumberLogRec& row, const QString& host, const QString& databaseFile);

    // Adds the rows of LogList that the data set lacks, only when its trade name is TradeName.
    void MergeLog(const QString& host, const QString& databaseFile);

    // Deletes the row (found by time, serial and operator code) from the open company database.
    void DeleteLog(const TMyNumberLogRec& row);

    // Reads the three settings of the data set; with the option "MYNUMBER_CLEAR" (any case) it
    // then clears them and logs that (code 3), keeping the values read in this object.
    void GetMyNumberSetting(const QString& host, const QString& databaseFile, const QString& option,
                            const QString& procName);
    // Writes the settings read back (only when UseMyNumber is 1) and removes the clearing row.
    // Errors of the settings store reach the caller.
    void PutMyNumberSetting(const QString& host, const QString& databaseFile);
};

// The My Number management password prompt: true without asking for an operator who is not a
// My Number administrator, false when no password is stored; otherwise at most three tries,
// false on Cancel or after the third wrong entry.
bool AskMyNumberPassword(const QString& storedPassword);

} // namespace companydata
