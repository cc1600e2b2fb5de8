#pragma once
// The frame every upgrade step writes around its SQL: header, CONNECT, character set, the
// step's statements, the version row with its COMMIT, and EXIT. The script goes to
// "qmvdataup.sql" in the work folder as CP932 with CR LF line ends.
//
// The CONNECT line carries no user and no password: the SQL tool gets them in its
// environment (ISC_USER, ISC_PASSWORD), so they are in no file. Its target is the name by
// which this program opens the same database, in the file system's bytes.
//
// The version row always stands last, just before "EXIT;": the tool stops at the first failing
// statement (-b), so a version is recorded only when every statement of the step ran.

#include "core/Globals.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

namespace dbupgrade {

enum class StepDatabase { System, Company };

// The forms of the MEMO text of the version row.
enum class MemoForm {
    Short,          // the local time
    Long,           // time, login code, operator name, computer name, joined by ","
    Long127,        // the long form cut or filled to exactly 127 bytes
    Long127Trimmed, // the 127 bytes, then leading and trailing blanks trimmed
};

// The clock of the header and the MEMO; tests fix it.
extern std::function<QDateTime()> ScriptClock;

// A text as an SQL string literal: in single quotes, each single quote doubled.
QString SqlQuote(const QString& text);

// The name of the database file of the kind as the program opens it (connect mode, host, the
// loopback rule): "qmaccdef.fdb" in the system folder or "qmacc.fdb" in the current data
// folder.
QString StepDatabaseFile(StepDatabase database);
QString StepConnectTarget(StepDatabase database);

// "CONNECT '<target>';", the target in double quotes when it holds a single quote, as bytes.
QByteArray ConnectLine(const QString& target);

struct UpdateScriptFrame {
    StepDatabase database = StepDatabase::System;
    core::TVersionTriple version;
    bool setNames = false;        // "SET NAMES SJIS_0208;" after the CONNECT line
    MemoForm memo = MemoForm::Short;
    bool twoLineVersionRow = false; // system steps from 11.0.1: INSERT and VALUES on two lines
};

class UpdateScript {
public:
    explicit UpdateScript(const UpdateScriptFrame& frame);

    // The step's SQL: each entry one statement or line group; inner line breaks become CR LF.
    void add(const QString& lines);
    void add(const QStringList& lines);

    QString memoText() const;
    // The whole script as written: CP932, CR LF.
    QByteArray bytes() const;
    // Writes it to "qmvdataup.sql" in the work folder (owner-only access), replacing an older
    // file. False when the file could not be written.
    bool write() const;

    const UpdateScriptFrame& frame() const { return frame_; }

private:
    UpdateScriptFrame frame_;
    QDateTime time_;
    QStringList sql_;
};

QString VersionText(const core::TVersionTriple& version);

} // namespace dbupgrade
