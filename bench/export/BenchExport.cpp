// Times the export of the intermediate file on the large sample: the whole export without and
// with the general ledger, and in the same run a plain read of the same journal rows through
// our database layer, as the yardstick for the ledger. Prints the times, their ratio and the
// peak memory of the process.
//
//   bench_export [--lines N] [--root FOLDER]
//
// --lines: journal lines of the sample (default 300000). --root: the data root to use; the
// sample is created there once and reused by later runs (default: a temporary folder).

#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "link/export/HojinZeiDataExport.h"
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

// The ledger's journal read, for all accounts at once in one query, reading the fields the
// ledger writes.
qint64 plainJournalRead(int& rows)
{
    core::TIBTransaction transaction;
    transaction.addDatabase(&core::DM->IBDatabaseDAT);
    transaction.params() << QStringLiteral("read_committed") << QStringLiteral("rec_version")
                         << QStringLiteral("nowait");
    transaction.startTransaction();
    core::TIBSQL query(&core::DM->IBDatabaseDAT, &transaction);
    // The ledger's own column list and joins, over every account at once.
    query.sql() << QStringLiteral("SELECT S.REC,S.SWKREC,S.SWKNO,S.DELFLG,S.TAISHAKU,S.HIZUKE,S.MNUM,S.KESSAN,S.DNUM,S.SNUM,"
                                  "S.SDAYNUM,S.MDAYNUM,S.SCODE,S.SITREC,")
                << QStringLiteral("S.KGROUP,S.KCODE,K1.USERCODE AS UKCODE,K1.DAC,S.HCODE,S.BCODE,S.KNAME,S.HNAME,S.BNAME,"
                                  "S.TAXCODE,S.TAXUH,S.TAXDC,S.NUK,S.ZEI,S.RIT,S.SIKIN,")
                << QStringLiteral("S.R_KGROUP,S.R_KCODE,K2.USERCODE AS R_UKCODE,K2.DAC AS R_DAC,S.R_HCODE,S.R_BCODE,"
                                  "S.R_KNAME,S.R_HNAME,S.R_BNAME,S.R_TAXCODE,S.R_TAXUH,S.R_TAXDC,S.R_NUK,S.R_ZEI,S.R_RIT,"
                                  "S.R_SIKIN,")
                << QStringLiteral("S.KINGAKU,S.ZEIGAKU,S.ZEIRITUNO,S.AUTCALCU,S.TAXCALCU,S.OLDRATE,S.TEKCODE,S.TEKTEXT")
                << QStringLiteral("FROM SIWAKE S")
                << QStringLiteral("INNER JOIN KAMOKUMST K1 ON (S.KCODE   = K1.KCODE)")
                << QStringLiteral("INNER JOIN KAMOKUMST K2 ON (S.R_KCODE = K2.KCODE)")
                << QStringLiteral("WHERE (S.DELFLG=0) AND (S.MNUM>=1 AND S.MNUM<=16)")
                << QStringLiteral("ORDER BY S.KCODE,S.HIZUKE,S.KESSAN,S.SCODE,S.SDAYNUM,S.SWKNO,S.TAISHAKU");
    QElapsedTimer timer;
    timer.start();
    query.execQuery();
    core::Currency sum;
    rows = 0;
    QString text;
    for (; !query.eof(); query.next()) {
        ++rows;
        text = query.fieldByName(QStringLiteral("HNAME")).asString() +
               query.fieldByName(QStringLiteral("R_KNAME")).asString() +
               query.fieldByName(QStringLiteral("R_HNAME")).asString() +
               query.fieldByName(QStringLiteral("TEKTEXT")).asString() +
               query.fieldByName(QStringLiteral("KCODE")).asString();
        (void)query.fieldByName(QStringLiteral("DNUM")).asInt64();
        (void)query.fieldByName(QStringLiteral("HIZUKE")).asDate();
        (void)query.fieldByName(QStringLiteral("TAISHAKU")).asInteger();
        (void)query.fieldByName(QStringLiteral("DAC")).asInteger();
        sum += query.fieldByName(QStringLiteral("NUK")).asCurrency() + query.fieldByName(QStringLiteral("ZEI")).asCurrency();
    }
    const qint64 elapsed = timer.elapsed();
    query.close();
    transaction.commit();
    return elapsed;
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
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("lines"), QStringLiteral("journal lines of the sample"), QStringLiteral("N"),
                      QStringLiteral("300000")});
    parser.addOption({QStringLiteral("root"), QStringLiteral("data root to create or reuse"), QStringLiteral("FOLDER")});
    parser.addHelpOption();
    parser.process(app);

    QTemporaryDir temporary;
    const QString rootPath = parser.isSet(QStringLiteral("root")) ? parser.value(QStringLiteral("root")) : temporary.path();
    const int lines = parser.value(QStringLiteral("lines")).toInt();

    try {
        schema::DataRoot root(schema::DbAccount{}, rootPath);
        if (!QFileInfo::exists(root.systemDatabasePath())) {
            root.create();
            const schema::sample::SampleResult sample =
                schema::sample::createSampleDataSet(root, 1, schema::sample::SampleKind::Large, lines);
            print(QStringLiteral("sample created: %1 journal lines in %2 ms")
                      .arg(sample.journalLines)
                      .arg(sample.journalMilliseconds));
        } else {
            print(QStringLiteral("sample reused: %1").arg(root.dataFolder(1)));
        }

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

        const qint64 withoutLedger = timedExport(exporter, 0, file);
        const qint64 withLedger = timedExport(exporter, 1, file);
        const qint64 fileBytes = QFileInfo(file).size();
        int rows = 0;
        const qint64 plainRead = plainJournalRead(rows);
        const qint64 ledgerOnly = withLedger - withoutLedger;

        print(QStringLiteral("export without the general ledger: %1 ms").arg(withoutLedger));
        print(QStringLiteral("export with the general ledger:    %1 ms (file %2 bytes)").arg(withLedger).arg(fileBytes));
        print(QStringLiteral("plain read of the journal rows:    %1 ms (%2 rows)").arg(plainRead).arg(rows));
        print(QStringLiteral("ledger part / plain read:          %1")
                  .arg(plainRead > 0 ? double(ledgerOnly) / double(plainRead) : 0.0, 0, 'f', 2));
        print(QStringLiteral("export with ledger / plain read:   %1")
                  .arg(plainRead > 0 ? double(withLedger) / double(plainRead) : 0.0, 0, 'f', 2));
        print(QStringLiteral("peak memory:                       %1 MiB").arg(peakMemoryKiB() / 1024));
        core::DM = nullptr;
    } catch (const std::exception& error) {
        print(QStringLiteral("failed: %1").arg(QString::fromUtf8(error.what())));
        return 1;
    }
    return 0;
}
