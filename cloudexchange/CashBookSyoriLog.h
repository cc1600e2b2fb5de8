#pragma once
// The processing log of the cash-book exchange: rows of kind, code and text that the take-in
// and the sender write, the one result code their caller reads, and the log's export as a
// comma- or tab-separated text file.

#include "core/session/SharedRecords.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <functional>

namespace cloudexchange {

// Row kinds.
enum : quint8 { skNone = 0, skInfo = 1, skWarning = 2, skError = 3 };

// The result of a log: an error row decides first (the code of the first row of kind 3), then
// the success row (the first row with code 1), else the code of the last row; 0 when empty.
// Error rows win so that a failure logged after the success row (a failed copy of the
// prepared data) still reaches the caller as a failure.
qint32 SyoriResultOf(const core::TTessaroSyoriLog& log);

// "" for kind 0, "情報", "警告", "エラー".
QString SyoriKindCaption(quint8 kind);

// The export file's bytes (CP932): one entry per row, each field quoted and followed by the
// separator, the entry ending in CR LF, and an empty line after each entry. Comma form: the
// quote "'" is doubled inside a value. Tab form: tab, CR and LF inside a value become blanks,
// so that a row stays one line of the file.
QByteArray SyoriLogExportBytes(const core::TTessaroSyoriLog& log, bool tabSeparated);

// Asks for the file with the save dialog ("ファイル出力", "現金出納帳の受信ログ"); a ".txt" name
// (the text filter) writes the tab form, any other the comma form. Cancel, or a folder that
// CheckSaveFilePath refuses, writes nothing and gives false. A write failure raises.
bool ExportSyoriLog(const core::TTessaroSyoriLog& log);

// The log of one owner (the take-in, the sender).
class TSyoriLogOwner {
public:
    explicit TSyoriLogOwner(const QString& name);

    core::TTessaroSyoriInfo SyoriInfo;
    core::TTessaroSyoriLog SyoriLog;
    qint32 SyoriResult = 0;
    // Told of every added row (the take-in's list shows it).
    std::function<void(const core::TTessaroSyoriInfo&)> RowAdded;

    // Appends a copy of SyoriInfo's kind, code and text (name empty) and recomputes the result.
    void AddSyoriLog();
    // Sets SyoriInfo's kind, code and text, then adds the row.
    void AddSyoriLog(quint8 kind, qint32 code, const QString& text);
    qint32 GetSyoriResult();
    // Result 0, SyoriInfo kind 0, code 0, empty text, empty log.
    void InitSyori();
};

} // namespace cloudexchange
