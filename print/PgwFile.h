#pragma once
// A print-data or form file open for reading, line by line, with the page structure that the
// readers share: pages end at "E;" lines, and a form file wraps round to its first page.

#include <QString>
#include <QStringList>

namespace print {

class TPgwFile {
public:
    // Reads the whole file (CP932, lines ended by CR LF); false when it cannot be read.
    bool Open(const QString& path);
    void Close();
    bool IsOpen() const { return open_; }
    const QString& FileName() const { return path_; }

    bool AtEnd() const { return pos_ >= lines_.size(); }
    // The next line, empty at the end.
    QString ReadLine();
    void Rewind() { pos_ = 0; }
    qsizetype LineCount() const { return lines_.size(); }
    QString FirstLine() const { return lines_.isEmpty() ? QString() : lines_.first(); }

    // Positions the file at the start of page n (from 1) by passing n − 1 page ends. With wrap
    // the end of the file counts as one more page end and reading goes on from the top. False
    // when the file ends first without wrap.
    bool FindPage(int n, bool wrap);

private:
    QString path_;
    QStringList lines_;
    qsizetype pos_ = 0;
    bool open_ = false;
};

// The page count of a file: its page ends plus one; an empty or missing name counts one page.
int CountFilePages(const QString& path);

// The file's first line starts with the signature; false for a missing or empty file.
bool FileHasSignature(const QString& path);

} // namespace print
