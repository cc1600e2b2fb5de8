#include "schema/sample/SampleDataSet.h"

#include "core/db/IBDatabase.h"
#include "schema/DataSetInfo.h"
#include "schema/SchemaScripts.h"
#include "schema/sample/CompanyProfile.h"
#include "schema/sample/CompanyWriter.h"
#include "schema/sample/JournalWriter.h"
#include "schema/sample/SampleJournal.h"
#include "schema/sample/SampleLateStart.h"
#include "schema/sample/SampleMedicalTotals.h"
#include "schema/sample/SampleStatements.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <stdexcept>

namespace schema::sample {
bool sampleKindFromName(const QString& name, SampleKind& kind) {
    if (name == QLatin1String("ordinary"))
        kind = SampleKind::Ordinary;
    else if (name == QLatin1String("medical"))
        kind = SampleKind::Medical;
    else if (name == QLatin1String("large"))
        kind = SampleKind::Large;
    else if (name == QLatin1String("latestart"))
        kind = SampleKind::LateStart;
    else
        return false;
    return true;
}

SampleResult createSampleDataSet(const DataRoot& root, int rec, SampleKind kind, int lines) {
    if (rec < 1 || rec > DataRoot::listCapacity)
        throw std::invalid_argument("data numbers run from 1 to 120");
    SampleResult result;
    result.rec = rec;
    result.folder = root.dataFolder(rec);
    const QString database = result.folder + QStringLiteral("/qmacc.fdb");
    if (QFileInfo::exists(database))
        throw std::runtime_error(database.toStdString() + " already exists");
    if (!QDir().mkpath(result.folder))
        throw std::runtime_error("cannot create the folder " + result.folder.toStdString());

    CompanyProfile profile = kind == SampleKind::Medical     ? medicalCompany()
                             : kind == SampleKind::LateStart ? lateStartCompany()
                                                             : ordinaryCompany();
    QList<JournalEntry> entries;
    if (kind == SampleKind::Medical) {
        entries = medicalJournal(profile);
    } else if (kind == SampleKind::LateStart) {
        entries = lateStartJournal(profile);
    } else if (kind == SampleKind::Ordinary) {
        entries = ordinaryJournal(profile, kOrdinaryTradeEntries);
    } else {
        profile.entName = QStringLiteral("みなと商事 大量仕訳");
        const int fixedEntries = int(ordinaryJournal(profile, 0).size());
        entries = ordinaryJournal(profile, qMax(0, lines / 2 - fixedEntries));
    }

    auto company = createSchemaDatabase(root.account(), database, DatabaseKind::Company);
    writeCompany(*company, profile);
    if (kind == SampleKind::LateStart)
        writeLateStartOpening(*company, profile); // its own small statements, no notes or equity settings
    else if (profile.dataType == 1)
        writeOrdinaryStatements(*company);
    else if (profile.dataType == 3)
        writeMedicalTotalNames(*company);
    QElapsedTimer timer;
    timer.start();
    result.journalLines = writeJournal(*company, profile, entries);
    result.journalMilliseconds = timer.elapsed();

    const DataSetInfo info = readDataSetInfo(*company);
    finishDatabase(std::move(company), root.account(), database);
    writeDataFolderIni(result.folder, info);
    auto system = openDatabase(root.account(), root.systemDatabasePath());
    registerDataSet(*system, rec, result.folder, info);
    system->close();
    return result;
}

} // namespace schema::sample
