#pragma once
// Code systems (コード体系): predefined account sets for one kind of company data, kept in the
// system database's table USERCODE, one row per code system with its definition lines in the
// eight binary BLOBs INIDAT1 … INIDAT8 (the CP932 bytes of the lines, each followed by CR LF).
// TCodeTaikeiIO loads a code-system file delivered with the program into one USERCODE row after
// checking that the file was made for this product, and repairs the data-type and code-type
// columns of older rows when it is created. The schema upgrade installs code systems with it.

#include "core/text/MojiBunkatu.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <memory>

namespace core {
class TIBSQL;
}

namespace companydata {

// One code system while it is loaded. The fields this program leaves empty and 0 are kept so
// that the record has the shape the schema upgrade expects.
struct TCodeTaikeiRec2 {
    qint32 RecNo = 0;
    QString Name;
    qint32 DataType = 0; // 1 法人, 2 個人, 3 医療法人
    qint32 CodeType = 0; // code type within the data type
    QString Reserve1;
    qint32 Reserve2 = 0;
    qint32 Reserve3 = 0;
    qint32 Reserve4 = 0;
    QString SeihinKubun = QStringLiteral("-"); // product category of the file
    bool Reserve5 = false;
    std::array<QStringList, 8> IniDat; // the lines of INIDAT1 … INIDAT8, in file order
    QString Reserve6;
    qint32 Reserve7 = 0;
    qint32 Reserve8 = 0;
};

// The list (0 for INIDAT1 … 7 for INIDAT8) that a line of the record kind goes to; -1 for a
// kind the code-system file does not store.
int CodeTaikeiListOf(int recordKind);

// Sorts the lines of a code-system file into the record: every line of a stored kind unchanged
// into its list, the header (kind 1) fields into Name, DataType, CodeType and SeihinKubun (the
// last header wins). The record's other fields are left as they are.
void SortCodeTaikeiLines(const QStringList& lines, TCodeTaikeiRec2& record);

// The lines of a CP932 text file, split at CR LF, CR or LF as a string list loads them (a last
// line without an end counts; no empty line after a final line end). core::Exception when the
// file cannot be read.
QStringList ReadCodeTaikeiFileLines(const QString& fileName);

// The BLOB value of one list: the CP932 bytes of its lines, each followed by CR LF.
QByteArray CodeTaikeiBlob(const QStringList& lines);

class TCodeTaikeiIO {
public:
    // Prepares the statements on the system database of the data module and repairs the
    // data-type and code-type columns of older rows (KubunSyufuku).
    TCodeTaikeiIO();
    ~TCodeTaikeiIO();
    TCodeTaikeiIO(const TCodeTaikeiIO&) = delete;
    TCodeTaikeiIO& operator=(const TCodeTaikeiIO&) = delete;

    static constexpr qint32 VerMajor = 1;
    static constexpr qint32 VerMinor = 0;
    static QString VerText() { return QStringLiteral("%1.%2").arg(VerMajor).arg(VerMinor); }

    // Loads the file into the USERCODE row of that number. False, with nothing written, when
    // the file belongs to another product (after a message), when its header lacks the name,
    // data type or code type, or when the update fails (reported). core::Exception when the
    // file cannot be read.
    bool LoadCodeTaikeiFile(const QString& fileName, qint32 recNo);

    // Writes the record into its USERCODE row (which must exist: nothing is inserted). False at
    // once for an empty name or a data type or code type of 0, and after a reported failure.
    bool UpDateRecored(const TCodeTaikeiRec2& record);

    // Rows that read data type 1 and code type 1 take the two values of their header line
    // (rows stored before the two columns existed carry 1/1). A failure is reported.
    void KubunSyufuku();

    // Whether data of the product category may be processed by this program; the message says
    // why not.
    bool CheckSeihinKubun(const QString& seihinKubun, QString& message) const;

private:
    std::unique_ptr<core::TIBSQL> sql_;   // plain statements
    std::unique_ptr<core::TIBSQL> query_; // reads
    core::TMojiBunkatu splitter_;
};

} // namespace companydata
