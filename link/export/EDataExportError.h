#pragma once
// The export's one error type: a message for the operator, a detail line and a code. The
// finish step shows message and detail; codes 6 and 16 are information, every other code an
// error (the wizard then closes with result 2).

#include <QString>
#include <stdexcept>

namespace taxreturn {

// Codes the export raises. 1, 2, 6, 18 and 256 are the codes the finish step knows; the writer's
// own failures use codes above 256 so that they never read as information.
enum ExportErrorCode : int {
    kErrorBalances = 1,           // 決算書の集計処理に失敗しました。
    kErrorEmptyPrintName = 2,     // 決算書項目で空の印刷名称が存在します。
    kErrorChangesMismatch = 6,    // information: the equity settings need a review
    kErrorGeneralLedger = 18,     // 総勘定元帳の出力処理に失敗しました。
    kErrorUnknownPrefix = 256,    // 業務Prefixが条件に加えられていません。
    kErrorUnwritableChar = 257,   // a text holds a character Shift_JIS cannot carry
    kErrorFileWrite = 258,        // the intermediate file could not be written
    kErrorElementName = 259,      // an element or attribute name that is not an XML name
};

class EDataExportError : public std::runtime_error {
public:
    EDataExportError(const QString& message, int code, const QString& detail);

    QString message() const { return message_; }
    QString Detail;
    int ErrorCode = 0;

private:
    QString message_;
};

} // namespace taxreturn
