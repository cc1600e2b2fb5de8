// Saving and opening print jobs.
#include "print/PgwJob.h"

#include "core/Exception.h"
#include "platform/Cp932.h"
#include "print/PgwFile.h"
#include "print/PgwFormat.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace print {

namespace {

void copyReplacing(const QString& from, const QString& to) {
    if (QFileInfo(from).absoluteFilePath() == QFileInfo(to).absoluteFilePath())
        return;
    QFile::remove(to);
    if (!QFile::copy(from, to))
        throw core::Exception(QStringLiteral("%1 を %2 へ複写できません。").arg(from, to));
}

QString joined(const QString& folder, const QString& base, const QString& name) {
    return QStringLiteral("%1/%2_%3").arg(folder, base, name);
}

} // namespace

void SavePrintJob(const QString& dataFile, const QString& formFile, const QString& folder, const QString& base) {
    TPgwFile data;
    if (!data.Open(dataFile))
        throw core::Exception(QStringLiteral("<%1> が見つかりません。").arg(dataFile));
    const bool hasForm = !formFile.trimmed().isEmpty();
    const QString savedForm = QStringLiteral("%1/%2.pgf").arg(folder, base);

    QByteArray out;
    bool formFileDone = false;
    bool chartDone = false;
    int formCount = 0;
    while (!data.AtEnd()) {
        QString line = data.ReadLine();
        const QString kind = RecordKind(line);
        if (!formFileDone && line.startsWith(QStringLiteral("*FORMFILE="))) {
            line = QStringLiteral("*FORMFILE=") + (hasForm ? savedForm : QString());
            formFileDone = true;
        } else if (kind == u"FORM") {
            const TPgwRecord r(NormalizeRecordLine(line));
            const QString copy = joined(folder, base, QStringLiteral("FORMAT-%1.pgf").arg(++formCount));
            if (QFileInfo::exists(r.Text(0)))
                copyReplacing(r.Text(0), copy);
            line = QStringLiteral("%1;%2;%3;%4;%5;").arg(r.Kind, copy, r.Text(1)).arg(r.Number(2)).arg(r.Number(3));
        } else if (kind == u"CHART" && !chartDone) {
            const TPgwRecord r(NormalizeRecordLine(line));
            const QString picture = joined(folder, base, QStringLiteral("CHART.WMF"));
            line = QStringLiteral("IMAGE;%1;%2;%3;%4;%5;%6;")
                       .arg(r.Number(1)).arg(r.Number(2)).arg(r.Number(3)).arg(r.Number(4)).arg(picture).arg(0);
            chartDone = true;
        } else if (kind == u"IMAGE") {
            const TPgwRecord r(NormalizeRecordLine(line));
            const QString picture = joined(folder, base, QFileInfo(r.Text(4)).fileName());
            if (QFileInfo::exists(r.Text(4)))
                copyReplacing(r.Text(4), picture);
            line = QStringLiteral("IMAGE;%1;%2;%3;%4;%5;%6;")
                       .arg(r.Number(0)).arg(r.Number(1)).arg(r.Number(2)).arg(r.Number(3)).arg(picture).arg(0);
        }
        out += platform::toCp932(line) + "\r\n";
    }

    QFile job(QStringLiteral("%1/%2.pgw").arg(folder, base));
    if (!job.open(QIODevice::WriteOnly | QIODevice::Truncate) || job.write(out) != out.size())
        throw core::Exception(QStringLiteral("%1 に書き込めません。").arg(job.fileName()));
    job.close();
    if (hasForm)
        copyReplacing(formFile, savedForm);
}

TPrintJobHeader ReadPrintJobHeader(const QString& jobFile) {
    TPrintJobHeader h;
    TPgwFile file;
    if (!file.Open(jobFile))
        return h;
    QSet<QString> seen;
    auto value = [&](const QString& line, const char* key, QString* out) {
        const QString k = QString::fromLatin1(key);
        if (seen.contains(k) || !line.startsWith(k))
            return false;
        seen.insert(k);
        *out = line.mid(k.size()).trimmed();
        return true;
    };
    while (!file.AtEnd()) {
        const QString line = file.ReadLine();
        QString v;
        if (value(line, "*FORMFILE=", &v)) h.FormFile = v;
        else if (value(line, "*PAPERSIZE=", &v)) h.PaperSize = ParseNumber(v, 9);
        else if (value(line, "*OUTPUTPAPER=", &v)) h.OutPutPaper = ParseNumber(v, 9);
        else if (value(line, "*ORIENTATION=", &v)) h.Orientation = ParseNumber(v);
        else if (value(line, "*TOPMARGIN=", &v)) h.TopMargin = ParseNumber(v);
        else if (value(line, "*LEFTMARGIN=", &v)) h.LeftMargin = ParseNumber(v);
        else if (value(line, "*NETC1=", &v)) h.NetColor1 = ParseNumber(v);
        else if (value(line, "*NETC2=", &v)) h.NetColor2 = ParseNumber(v);
        else if (value(line, "*USERC1=", &v)) h.UserColor1 = ParseNumber(v);
        else if (value(line, "*USERC2=", &v)) h.UserColor2 = ParseNumber(v);
        else if (value(line, "*FORMPRINT=", &v)) h.PrintFom = v == u"TRUE";
    }
    return h;
}

} // namespace print
