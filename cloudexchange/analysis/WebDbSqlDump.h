#pragma once
// The analysis-cloud SQL dump: one text file of MySQL statements that recreates the company's
// cloud database from the data template, refills its 46 tables from the open company database
// and creates the indexes from the index template. The upload client sets the database name,
// calls MakeDump once, packs the file and sends it.

#include "core/db/IBSQL.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>

namespace cloudexchange {

struct DumpSection;
struct DumpValue;

class TWebDbSqlDump {
public:
    // Fills the fields from the session records; touches no file and no database.
    TWebDbSqlDump();
    virtual ~TWebDbSqlDump();
    TWebDbSqlDump(const TWebDbSqlDump&) = delete;
    TWebDbSqlDump& operator=(const TWebDbSqlDump&) = delete;

    // Writes the whole file; false when the database name is empty (nothing touched) or after a
    // failure, which is shown (the partly written file stays). Throws core::Exception when the
    // dump file cannot be created.
    bool MakeDump();

    core::TIBSQL IBSQL;               // on the data module's company connection and transaction
    bool TransactionWasActive = false;
    QString DataVersionText;
    QStringList TemplateList;
    QString DumpFileName = QStringLiteral("qmacc.sql");
    QString DataTemplate;             // <program root>/init/zebrik_empty_data.sql
    QString IndexTemplate;            // <program root>/init/zebrik_empty_index.sql
    QString DumpPath;                 // <data root>/temp/TallekZebrik_Sql/qmacc.sql
    QString DatabaseName;             // set by the upload client
    int JobLevel = 200;               // 1200 for data type 3
    int RowsPerStatement = 100;

private:
    void writeFile();
    void writeLine(const QString& text);
    void writeText(const QString& text);
    void writeSeparatorBlock(const QString& title);
    void writeTemplate(const QString& path);
    void writeSection(const DumpSection& section);
    void writePlainSection(const DumpSection& section);
    // Runs the prepared query and writes its rows as statements of the section's head: at most
    // maxRows (0: all), a new statement after every rowsPerStatement (0: never). The last row
    // written ends with ";" and no line end. Returns the number of rows written.
    int writeRows(const QStringList& head, const std::vector<DumpValue>& values, int rowsPerStatement,
                  int maxRows, int& counter);
    QString rowText(const std::vector<DumpValue>& values, int counter);
    void writeAccRegOperatorRows();
    void writeAccVersion();
    void writeChartInf(const DumpSection& section);
    void writeKihonRule(const DumpSection& section);
    void writeKoseiGroup(const DumpSection& section);
    bool from802() const;
    bool medical() const;

    std::unique_ptr<QFile> file_;
};

} // namespace cloudexchange
