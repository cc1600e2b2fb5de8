// Times the export of the intermediate file on the large sample: the whole export without and
// with the general ledger, and in the same run the floors it is measured against:
//   - the engine floor: the engine producing the ledger's rows in its order, wrapped in a
//     COUNT(*) so that nothing is fetched;
//   - the raw fetch: the same rows fetched through the Firebird OO API into one discarded
//     buffer, without any conversion;
//   - the plain read: the same rows read through our database layer, the fields the ledger
//     writes converted as the ledger converts them.
// Prints the times, the ratios and the peak memory of the process against the file's size.
//
//   bench_export [--lines N] [--root FOLDER]
//
// --lines: journal lines of the sample (default 300000). --root: the data root to use; the
// sample is created there once and reused by later runs (default: a temporary folder).

#include "core/Globals.h"
#include "core/db/FbStatus.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "link/export/GeneralLedger.h"
#include "link/export/HojinZeiDataExport.h"
#include "bench/common/LargeSample.h"
#include "schema/DataRoot.h"
#include "schema/sample/SampleDataSet.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

void print(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

long peakMemoryKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The ledger's columns, joins and order, over every account at once.
const QStringList kJournalQuery = {
    QStringLiteral("SELECT ") + taxreturn::kLedgerEntryColumns,
    QStringLiteral("FROM SIWAKE S"),
    QStringLiteral("INNER JOIN KAMOKUMST K1 ON (S.KCODE   = K1.KCODE)"),
    QStringLiteral("INNER JOIN KAMOKUMST K2 ON (S.R_KCODE = K2.KCODE)"),
    QStringLiteral("WHERE (S.DELFLG=0) AND (S.MNUM>=1 AND S.MNUM<=16)"),
    QStringLiteral("ORDER BY S.KCODE,") + taxreturn::kLedgerEntryOrder,
};

// A read-only transaction on the company database, as the ledger starts it.
void startReadTransaction(core::TIBTransaction& transaction)
{
    transaction.addDatabase(&core::DM->IBDatabaseDAT);
    transaction.params() << QStringLiteral("read_committed") << QStringLiteral("rec_version")
                         << QStringLiteral("nowait");
    transaction.startTransaction();
}

// The engine floor: the same join and sort, counted by the engine; nothing is fetched.
qint64 engineFloor(qint64& rows)
{
    core::TIBTransaction transaction;
    startReadTransaction(transaction);
    core::TIBSQL query(&core::DM->IBDatabaseDAT, &transaction);
    query.sql() << QStringLiteral("SELECT COUNT(*) FROM (") << kJournalQuery << QStringLiteral(")");
    QElapsedTimer timer;
    timer.start();
    query.execQuery();
    rows = query.fields(0).asInt64();
    const qint64 elapsed = timer.elapsed();
    query.close();
    transaction.commit();
    return elapsed;
}

// The raw fetch: the rows through the Firebird OO API into one buffer that is thrown away.
qint64 rawFetch(qint64& rows)
{
    core::TIBTransaction transaction;
    startReadTransaction(transaction);
    const QByteArray sql = kJournalQuery.join(u'\n').toLatin1();
    Firebird::IAttachment* attachment = core::DM->IBDatabaseDAT.attachment();
    QElapsedTimer timer;
    timer.start();
    rows = 0;
    core::fbCall([&](Firebird::ThrowStatusWrapper* st) {
        core::FbRef<Firebird::IStatement> statement(attachment->prepare(
            st, transaction.handle(), unsigned(sql.size()), sql.constData(), 3, Firebird::IStatement::PREPARE_PREFETCH_METADATA));
        core::FbRef<Firebird::IMessageMetadata> out(statement->getOutputMetadata(st));
        std::vector<unsigned char> buffer(out->getMessageLength(st));
        Firebird::IResultSet* cursor = statement->openCursor(st, transaction.handle(), nullptr, nullptr, out.get(), 0);
        while (cursor->fetchNext(st, buffer.data()) == Firebird::IStatus::RESULT_OK)
            ++rows;
        cursor->close(st);
    });
    const qint64 elapsed = timer.elapsed();
    transaction.commit();
    return elapsed;
}

// The plain read: the same rows through our layer, reading the fields the ledger writes.
qint64 plainJournalRead(qint64& rows)
{
    core::TIBTransaction transaction;
    startReadTransaction(transaction);
    core::TIBSQL query(&core::DM->IBDatabaseDAT, &transaction);
    query.sql() << kJournalQuery;
    QElapsedTimer timer;
    timer.start();
    query.execQuery();
    // The fields are looked up once, as the ledger does.
    const auto field = [&query](const char* name) -> const core::IBSQLField& {
        return query.fieldByName(QLatin1String(name));
    };
    const core::IBSQLField& fKcode = field("KCODE");
    const core::IBSQLField& fSide = field("TAISHAKU");
    const core::IBSQLField& fVoucher = field("DNUM");
    const core::IBSQLField& fDate = field("HIZUKE");
    const core::IBSQLField& fNet = field("NUK");
    const core::IBSQLField& fTax = field("ZEI");
    const core::IBSQLField& fSubName = field("HNAME");
    const core::IBSQLField& fCounterName = field("R_KNAME");
    const core::IBSQLField& fCounterSubName = field("R_HNAME");
    const core::IBSQLField& fDescription = field("TEKTEXT");
    core::Currency sum;
    qint64 numbers = 0;
    qsizetype textLength = 0;
    rows = 0;
    for (; !query.eof(); query.next()) {
        ++rows;
        textLength += fKcode.asString().size() + fSubName.asString().size() + fCounterName.asString().size() +
                      fCounterSubName.asString().size() + fDescription.asString().size();
        numbers += fVoucher.asInt64() + fSide.asInteger() + fDate.asDate().day();
        sum += fNet.asCurrency() + fTax.asCurrency();
    }
    volatile qint64 sink = sum.raw + numbers + textLength; // the reads are kept
    (void)sink;
    const qint64 elapsed = timer.elapsed();
    query.close();
    transaction.commit();
    return elapsed;
}

double ratio(double part, double whole)
{
    return whole > 0 ? part / whole : 0.0;
}

qint64 timedExport(taxreturn::THojinZeiDataExport& exporter, int ledgerFlag, const QString& file)
{
    exporter.GeneralLedgerFlag = ledgerFlag;
    QElapsedTimer timer;
    timer.start();
    exporter.ExportToFile(file);
    return timer.elapsed();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temporary;
    try {
        QString report;
        const schema::DataRoot root = bench::openLargeSample(app, temporary.path(), report);
        print(report);

        core::SystemDef.USER = schema::DbAccount{}.user;
        core::SystemDef.PASSWORD = schema::DbAccount{}.password;
        core::SystemDef.SYSDIR = root.sysDir();
        core::SystemDef.WorkDir = temporary.path();
        core::SystemDef.LogDir = temporary.path();
        core::ConnectMode = 0;
        core::TDM dm;
        core::DM = &dm;
        if (!dm.fnAccDefConnected(QString(), 1) || !dm.fnAccDatConnected(QString(), root.dataFolder(1), 0) ||
            !dm.fnGetAccInfo()) {
            print(QStringLiteral("the sample could not be opened"));
            return 1;
        }

        qputenv("TAXLINK_COMMON_APPDATA", temporary.filePath(QStringLiteral("common")).toLocal8Bit());
        taxreturn::THojinZeiDataExport exporter(0, QString());
        exporter.CreateChangesSettings();
        exporter.ChangesSettings->SakuseiKubun = 0;
        exporter.KomonsakiName = core::AccInf.SHOUGOU;
        exporter.KishuDate = core::AccInf.KISHU;
        exporter.KimatuDate = core::AccInf.KIMATU;
        exporter.DataKind = core::AccInf.DATATYPE;
        exporter.CodeKind = core::AccInf.CODETYPE;
        exporter.StartPeriod = 0;
        exporter.EndPeriod = 15;
        exporter.LastPeriod = 15;
        const QString file = temporary.filePath(QStringLiteral("export.xml"));

        // The export first, so that the peak memory is the export's own.
        const qint64 withoutLedger = timedExport(exporter, 0, file);
        const qint64 withLedger = timedExport(exporter, 1, file);
        const long peakKiB = peakMemoryKiB();
        const qint64 fileBytes = QFileInfo(file).size();
        qint64 floorRows = 0;
        const qint64 floor = engineFloor(floorRows);
        qint64 rawRows = 0;
        const qint64 raw = rawFetch(rawRows);
        qint64 rows = 0;
        const qint64 plainRead = plainJournalRead(rows);
        const double fileMiB = double(fileBytes) / (1024.0 * 1024.0);
        const double peakMiB = double(peakKiB) / 1024.0;

        print(QStringLiteral("export without the general ledger: %1 ms").arg(withoutLedger));
        print(QStringLiteral("export with the general ledger:    %1 ms (file %2 bytes)").arg(withLedger).arg(fileBytes));
        print(QStringLiteral("engine floor (COUNT of the rows):  %1 ms (%2 rows)").arg(floor).arg(floorRows));
        print(QStringLiteral("raw fetch through the OO API:      %1 ms (%2 rows)").arg(raw).arg(rawRows));
        print(QStringLiteral("plain read through our layer:      %1 ms (%2 rows)").arg(plainRead).arg(rows));
        print(QStringLiteral("peak memory of the export:         %1 MiB (file %2 MiB)")
                  .arg(peakMiB, 0, 'f', 0)
                  .arg(fileMiB, 0, 'f', 1));
        print(QStringLiteral("export with ledger / engine floor: %1  (goal <= 2)")
                  .arg(ratio(double(withLedger), double(floor)), 0, 'f', 2));
        print(QStringLiteral("plain read / raw fetch:            %1  (goal <= 1.5)")
                  .arg(ratio(double(plainRead), double(raw)), 0, 'f', 2));
        print(QStringLiteral("peak memory / file size:           %1  (goal: peak <= 2 x file + 100 MiB, %2 MiB)")
                  .arg(ratio(peakMiB, fileMiB), 0, 'f', 2)
                  .arg(2 * fileMiB + 100, 0, 'f', 0));
        core::DM = nullptr;
    } catch (const std::exception& error) {
        print(QStringLiteral("failed: %1").arg(QString::fromUtf8(error.what())));
        return 1;
    }
    return 0;
}
