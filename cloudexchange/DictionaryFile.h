#pragma once
// The dictionary file: the description dictionary (TEKDICTI, TEKDIC) and the customer
// dictionary (TORDICTI, TORDIC) of a company database as a CP932 comma-text file with "//"
// header lines, for carrying them from one company database to another. TBaseLoader is the
// base of the text-file loaders (lines, header, quoting); TJisyoLoader exports and imports
// the dictionaries.

#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/session/SharedRecords.h"
#include "core/text/MojiBunkatu.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>

namespace cloudexchange {

class TBaseLoader {
public:
    TBaseLoader(); // statements on the data module's company database
    virtual ~TBaseLoader() = default;

    QString FileType;
    QString FileVersion;
    bool CheckVersion = true;
    QStringList Lines;
    QChar QuoteChar = u'"';
    QChar Separator = u',';
    core::TMojiBunkatu Splitter;

    void SetDatabase(core::TIBDatabase* database);
    void SetTransaction(core::TIBTransaction* transaction);
    // clean: tabs, CR and LF removed. Encode writes '"' as "''", decode turns "''" back.
    static QString EncodeText(const QString& text, bool clean);
    static QString DecodeText(const QString& text, bool clean);
    void WriteFileHeader();
    bool CheckFileHeader() const;
    virtual int CountRecords() { return 0; }

    // CP932 with CR LF; reading accepts CR, LF or CR LF.
    void SaveLines(const QString& fileName) const;
    bool LoadLines(const QString& fileName);

protected:
    static int MajorOf(const QString& version);
    std::array<core::TIBSQL, 5> sql_;
    core::TIBTransaction* transaction_ = nullptr;
};

class TJisyoLoader : public TBaseLoader {
public:
    TJisyoLoader();

    // Record codes by kind: description header and row, customer header and row.
    enum RecordKind { rkTekHeader, rkTekRow, rkTorHeader, rkTorRow };
    std::array<QString, 4> RecordCodes;
    QString SCODE;            // the facility worked on when not AllFacilities
    quint8 Target = 0;        // 0 both dictionaries, 1 description only, 2 customer only
    bool AllFacilities = true;
    QStringList CrecMap;      // "file CREC-facility=database CREC"
    QList<core::TKamokuCodeRec> AccountCodes;
    QString AccountCodesScode = QStringLiteral("**");

    void ClearJisyo();
    // Sets FileVersion; the record codes are those of version 1.2 whatever the text.
    void SetVersion(const QString& version);
    bool ExportJisyo(const QString& fileName);
    bool ImportJisyo(const QString& fileName);
    int CountRecords() override;
    void LoadAccountCodes(const QString& scode);
    // Resolves a file's account, sub-account and department codes to the facility's internal
    // codes; unresolved codes become empty.
    void ConvertAccount(const QString& recordCode, QString& kcode, QString& hcode, QString& bcode) const;

private:
    // Runs dictionaryStep for the targeted dictionaries (summaries, customers) in a transaction
    // of its own when the caller has none; on an error a reading run commits (nothing written),
    // a writing run rolls back.
    void forTargets(bool writing, void (TJisyoLoader::*dictionaryStep)(bool customer));
    void exportDictionary(bool customer);
    void importDictionary(bool customer);
};

} // namespace cloudexchange
