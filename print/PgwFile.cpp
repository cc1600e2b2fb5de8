// Reading print-data and form files.
#include "print/PgwFile.h"

#include "print/PgwFormat.h"
#include "platform/Cp932.h"

#include <QFile>

namespace print {

bool TPgwFile::Open(const QString& path) {
    Close();
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    const QString text = platform::fromCp932(file.readAll());
    lines_ = text.split(u'\n');
    if (!lines_.isEmpty() && lines_.last().isEmpty())
        lines_.removeLast(); // after the last line end
    for (QString& line : lines_)
        if (line.endsWith(u'\r'))
            line.chop(1);
    path_ = path;
    open_ = true;
    return true;
}

void TPgwFile::Close() {
    lines_.clear();
    pos_ = 0;
    open_ = false;
}

QString TPgwFile::ReadLine() {
    return AtEnd() ? QString() : lines_.at(pos_++);
}

bool TPgwFile::FindPage(int n, bool wrap) {
    Rewind();
    if (wrap && lines_.isEmpty())
        return n >= 1;
    int passed = 0;
    while (passed < n - 1) {
        if (AtEnd()) {
            if (!wrap)
                return false;
            ++passed;
            Rewind();
            continue;
        }
        if (IsPageEndLine(ReadLine()))
            ++passed;
    }
    return true;
}

int CountFilePages(const QString& path) {
    TPgwFile file;
    if (!file.Open(path))
        return 1;
    int pages = 1;
    while (!file.AtEnd())
        if (IsPageEndLine(file.ReadLine()))
            ++pages;
    return pages;
}

bool FileHasSignature(const QString& path) {
    TPgwFile file;
    return file.Open(path) && IsSignatureLine(file.FirstLine());
}

} // namespace print
