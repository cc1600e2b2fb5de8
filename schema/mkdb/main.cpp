// taxlink-mkdb: creates a data root with the product line's databases and, on request, sample
// company data sets, for the tests, the demo and the benchmarks.
//
//   taxlink-mkdb --root DIR [--host HOST] [--sample ordinary|medical|large|latestart ...] [--lines N]
//                [--operator-code N]
//
// Credentials come from the environment, never from the command line: TAXLINK_FB_USER and
// TAXLINK_FB_PASSWORD (default TALLEK / vorbin), and
// TAXLINK_OPERATOR_PASSWORD for the operator's login password (default "test").

#include "schema/DataRoot.h"
#include "schema/ScriptRunner.h"
#include "schema/sample/SampleDataSet.h"

#include "core/EIBError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

QString env(const char* name, const QString& fallback) {
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("taxlink-mkdb"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Creates <root>/data with qmaccdef.fdb and qmfileman.fdb, and sample data sets in <root>/data/0001, 0002, …"));
    parser.addHelpOption();
    const QCommandLineOption rootOption(QStringLiteral("root"), QStringLiteral("Data root folder."), QStringLiteral("dir"));
    const QCommandLineOption hostOption(QStringLiteral("host"),
                                        QStringLiteral("Firebird server host; without it the embedded engine is used."),
                                        QStringLiteral("host"));
    const QCommandLineOption sampleOption(QStringLiteral("sample"),
                                          QStringLiteral("Sample data set to add: ordinary, medical, large or latestart (repeatable)."),
                                          QStringLiteral("kind"));
    const QCommandLineOption linesOption(QStringLiteral("lines"),
                                         QStringLiteral("Journal lines (SIWAKE rows) of the large sample."),
                                         QStringLiteral("n"), QStringLiteral("300000"));
    const QCommandLineOption operatorOption(QStringLiteral("operator-code"),
                                            QStringLiteral("Login code of the operator to create (10 or more)."),
                                            QStringLiteral("n"), QStringLiteral("10"));
    parser.addOptions({rootOption, hostOption, sampleOption, linesOption, operatorOption});
    parser.process(app);

    if (!parser.isSet(rootOption)) {
        err << "taxlink-mkdb: --root is required\n";
        return 2;
    }
    QList<schema::sample::SampleKind> samples;
    for (const QString& name : parser.values(sampleOption)) {
        schema::sample::SampleKind kind;
        if (!schema::sample::sampleKindFromName(name, kind)) {
            err << "taxlink-mkdb: unknown sample \"" << name << "\" (ordinary, medical, large, latestart)\n";
            return 2;
        }
        samples.append(kind);
    }
    bool numbers = true;
    const int lines = parser.value(linesOption).toInt(&numbers);
    bool codeOk = true;
    schema::OperatorSpec op;
    op.code = parser.value(operatorOption).toInt(&codeOk);
    op.password = env("TAXLINK_OPERATOR_PASSWORD", op.password);
    if (!numbers || lines < 0 || !codeOk || op.code < 10) {
        err << "taxlink-mkdb: --lines must be a number and --operator-code a number of 10 or more\n";
        return 2;
    }

    schema::DbAccount account;
    account.host = parser.value(hostOption);
    account.user = env("TAXLINK_FB_USER", account.user);
    account.password = env("TAXLINK_FB_PASSWORD", account.password);

    try {
        schema::DataRoot root(account, parser.value(rootOption));
        root.create(op);
        out << "system database:          " << root.systemDatabasePath() << "\n"
            << "file-management database: " << root.fileManDatabasePath() << "\n"
            << "operator:                 code " << op.code << ", " << op.name << "\n";
        out.flush();
        int rec = 0;
        for (schema::sample::SampleKind kind : samples) {
            const auto result = schema::sample::createSampleDataSet(root, ++rec, kind, lines);
            out << "data set " << result.rec << ":               " << result.folder << " ("
                << result.journalLines << " journal lines in " << result.journalMilliseconds << " ms)\n";
            out.flush();
        }
    } catch (const schema::ScriptError& e) {
        err << "taxlink-mkdb: " << e.file() << ", line " << e.line() << ": " << e.reason() << "\n"
            << e.statement() << "\n";
        return 1;
    } catch (const core::EIBError& e) {
        err << "taxlink-mkdb: " << e.message() << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << "taxlink-mkdb: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
