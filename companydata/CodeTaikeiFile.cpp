// Reading a code-system file and sorting its lines into the record of one code system.
#include "companydata/CodeTaikeiIO.h"

#include "core/Exception.h"
#include "platform/Cp932.h"

#include <QFile>

namespace companydata {

namespace {

qint32 numberOrZero(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace

int CodeTaikeiListOf(int recordKind) {
    if (recordKind >= 1 && recordKind <= 8)
        return recordKind - 1;
    switch (recordKind) {
    case 21:
    case 22:
        return 1; // INIDAT2
    case 31:
    case 32:
    case 33:
    case 34:
        return 2; // INIDAT3
    case 71:
        return 6; // INIDAT7
    default:
        return -1;
    }
}

void SortCodeTaikeiLines(const QStringList& lines, TCodeTaikeiRec2& record) {
    core::TMojiBunkatu splitter;
    splitter.Delimiter = u',';
    splitter.Mode = 0;
    for (const QString& line : lines) {
        splitter.Split(line);
        const int kind = numberOrZero(splitter.GetItem(0));
        const int list = CodeTaikeiListOf(kind);
        if (list < 0)
            continue;
        record.IniDat[size_t(list)].append(line);
        if (kind == 1) {
            record.Name = splitter.GetItem(1);
            record.DataType = numberOrZero(splitter.GetItem(2));
            record.CodeType = numberOrZero(splitter.GetItem(3));
            if (splitter.Count >= 6)
                record.SeihinKubun = splitter.GetItem(5);
        }
    }
}

QStringList ReadCodeTaikeiFileLines(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw core::Exception(QStringLiteral("ファイル %1 を開けません。%2").arg(fileName, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw core::Exception(QStringLiteral("ファイル %1 を読めません。%2").arg(fileName, file.errorString()));
    // CR and LF are single-byte in CP932 and never a trail byte, so the bytes split safely.
    QStringList lines;
    qsizetype start = 0;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        const char c = bytes[pos];
        if (c == '\r' || c == '\n') {
            lines << platform::fromCp932(bytes.mid(start, pos - start));
            if (c == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n')
                ++pos;
            start = pos + 1;
        }
        ++pos;
    }
    if (start < bytes.size())
        lines << platform::fromCp932(bytes.mid(start));
    return lines;
}

QByteArray CodeTaikeiBlob(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += platform::toCp932(line);
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace companydata
