#pragma once
// The large sample the benchmarks run on: the options --lines and --root, and a data root that
// is made with the sample unless it already holds one (then it is reused as it is).

#include "schema/DataRoot.h"
#include "schema/sample/SampleDataSet.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QString>

namespace bench {

// Parses the command line (--lines, default 300000; --root, default temporaryRoot) and returns
// the data root with the sample in place. report says whether it was made or reused.
inline schema::DataRoot openLargeSample(const QCoreApplication& app, const QString& temporaryRoot, QString& report)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("lines"), QStringLiteral("journal lines of the sample"), QStringLiteral("N"),
                      QStringLiteral("300000")});
    parser.addOption({QStringLiteral("root"), QStringLiteral("data root to create or reuse"), QStringLiteral("FOLDER")});
    parser.addHelpOption();
    parser.process(app);

    const QString rootPath = parser.isSet(QStringLiteral("root")) ? parser.value(QStringLiteral("root")) : temporaryRoot;
    schema::DataRoot root(schema::DbAccount{}, rootPath);
    if (QFileInfo::exists(root.systemDatabasePath())) {
        report = QStringLiteral("sample reused: %1").arg(root.dataFolder(1));
        return root;
    }
    root.create();
    const schema::sample::SampleResult sample = schema::sample::createSampleDataSet(
        root, 1, schema::sample::SampleKind::Large, parser.value(QStringLiteral("lines")).toInt());
    report = QStringLiteral("sample created: %1 journal lines in %2 ms").arg(sample.journalLines).arg(sample.journalMilliseconds);
    return root;
}

} // namespace bench
