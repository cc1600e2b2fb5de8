#include "platform/IniFile.h"

#include "platform/AsciiCase.h"
#include "platform/Cp932.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <optional>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

const QByteArray kCrLf("\r\n");

// Blanks the profile functions trim: ASCII white space and the old end-of-file mark ^Z.
// A full-width space (U+3000) is text, not a blank.
bool isBlank(QChar c) {
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\r' || u == u'\n' || u == u'\v' || u == u'\f' || u == 0x1A;
}

QString trimBlanks(const QString& s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.mid(begin, end - begin);
}

enum class Kind { Other, Section, Key };

// One line of the file with its own bytes and line end, so that lines we do not touch are
// written back exactly as they were read (LF-only ends, unknown lines, comments). Lines are
// split on the byte 0x0A, which is never part of a CP932 double-byte character; every other
// decision is made on the decoded text, because "[", "]" and "\" can be CP932 trail bytes.
struct Line {
    QByteArray bytes; // without the line end
    QByteArray end;   // "\r\n", "\n", or empty for a last line without one
    Kind kind = Kind::Other;
    QString name;     // section or key name
    QString value;    // for a key: the text after "=", trimmed, quotes kept
};

Line parseLine(QByteArray bytes, QByteArray end) {
    Line line;
    line.bytes = std::move(bytes);
    line.end = std::move(end);
    const QString text = trimBlanks(fromCp932(line.bytes));
    if (text.startsWith(u'[')) {
        const qsizetype close = text.lastIndexOf(u']');
        if (close > 0) {
            line.kind = Kind::Section;
            line.name = trimBlanks(text.mid(1, close - 1));
        }
        return line;
    }
    if (text.startsWith(u';'))
        return line;
    const qsizetype eq = text.indexOf(u'=');
    if (eq < 0)
        return line;
    line.name = trimBlanks(text.left(eq));
    if (line.name.isEmpty())
        return line;
    line.kind = Kind::Key;
    line.value = trimBlanks(text.mid(eq + 1));
    return line;
}

Line makeLine(const QString& text) {
    return parseLine(toCp932(text), kCrLf);
}

class Document {
public:
    // A missing or unreadable file is an empty one, as for GetPrivateProfileString.
    explicit Document(const QString& path) : path_(path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        original_ = file.readAll();
        qsizetype pos = 0;
        while (pos < original_.size()) {
            qsizetype nl = original_.indexOf('\n', pos);
            if (nl < 0) {
                lines_.push_back(parseLine(original_.mid(pos), {}));
                break;
            }
            const bool cr = nl > pos && original_[nl - 1] == '\r';
            const qsizetype contentEnd = cr ? nl - 1 : nl;
            lines_.push_back(parseLine(original_.mid(pos, contentEnd - pos), cr ? kCrLf : QByteArray("\n")));
            pos = nl + 1;
        }
    }

    std::vector<Line>& lines() { return lines_; }
    const std::vector<Line>& lines() const { return lines_; }

    // Index of the first header of the section, or -1. Duplicate sections after the first are
    // not looked at, as the Windows functions stop at the first match.
    qsizetype findSection(const QString& section) const {
        for (size_t i = 0; i < lines_.size(); ++i)
            if (lines_[i].kind == Kind::Section && asciiEqualsIgnoreCase(lines_[i].name, section))
                return qsizetype(i);
        return -1;
    }

    // One past the last line of the section whose header is at `header`.
    qsizetype sectionEnd(qsizetype header) const {
        qsizetype i = header + 1;
        while (i < qsizetype(lines_.size()) && lines_[size_t(i)].kind != Kind::Section)
            ++i;
        return i;
    }

    qsizetype findKey(qsizetype header, const QString& key) const {
        for (qsizetype i = header + 1, end = sectionEnd(header); i < end; ++i)
            if (lines_[size_t(i)].kind == Kind::Key && asciiEqualsIgnoreCase(lines_[size_t(i)].name, key))
                return i;
        return -1;
    }

    std::optional<QString> rawValue(const QString& section, const QString& key) const {
        const qsizetype header = findSection(section);
        const qsizetype k = header < 0 ? -1 : findKey(header, key);
        if (k < 0)
            return std::nullopt;
        return lines_[size_t(k)].value;
    }

    QStringList keys(const QString& section) const {
        QStringList result;
        const qsizetype header = findSection(section);
        if (header < 0)
            return result;
        for (qsizetype i = header + 1, end = sectionEnd(header); i < end; ++i) {
            const Line& line = lines_[size_t(i)];
            if (line.kind == Kind::Key && findKey(header, line.name) == i)
                result << line.name;
        }
        return result;
    }

    // Writes through a temporary file in the same folder that is renamed over the original,
    // so a failed write leaves the old file whole. Nothing is written when nothing changed
    // (a missing file stays missing when there is nothing to write).
    void save() const {
        QByteArray bytes;
        for (const Line& line : lines_)
            bytes += line.bytes + line.end;
        if (bytes == original_)
            return;
        // Unbuffered, so that a short write (disk full) shows in write() itself: QSaveFile
        // commits a temporary file whose buffered flush failed. fsync surfaces delayed write
        // errors before the rename. An uncommitted QSaveFile removes its temporary file.
        QSaveFile file(path_);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            throw IniFileError(path_, file.errorString());
        if (file.write(bytes) != bytes.size() || ::fsync(file.handle()) != 0) {
            const int error = errno;
            throw IniFileError(path_, QString::fromLocal8Bit(std::strerror(error)));
        }
        if (!file.commit())
            throw IniFileError(path_, file.errorString());
    }

private:
    QString path_;
    QByteArray original_;
    std::vector<Line> lines_;
};

QString unquote(const QString& value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

// Delphi's StrToIntDef as the INI reader uses it: optional sign, decimal digits, or
// hexadecimal after "$" or "0x" (eight hex digits at most, read as a 32-bit pattern).
std::optional<int> parseInteger(const QString& text) {
    QStringView s(text);
    bool negative = false;
    if (!s.isEmpty() && (s.front() == u'-' || s.front() == u'+')) {
        negative = s.front() == u'-';
        s = s.sliced(1);
    }
    int base = 10;
    if (s.startsWith(u'$')) {
        base = 16;
        s = s.sliced(1);
    } else if (s.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        s = s.sliced(2);
    }
    if (s.isEmpty())
        return std::nullopt;
    qint64 magnitude = 0;
    for (QChar c : s) {
        const char16_t u0 = c.unicode();
        int d = (u0 >= u'0' && u0 <= u'9') ? int(u0 - u'0') : -1;
        if (base == 16 && d < 0) {
            const char16_t u = asciiFold(c.unicode());
            d = (u >= u'a' && u <= u'f') ? int(u - u'a' + 10) : -1;
        }
        if (d < 0 || d >= base)
            return std::nullopt;
        magnitude = magnitude * base + d;
        if (magnitude > 0xFFFFFFFFLL)
            return std::nullopt;
    }
    if (base == 16)
        magnitude = qint32(quint32(magnitude));
    const qint64 value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return int(value);
}

void checkName(const QString& path, const QString& section, const QString& key, const QString& value) {
    if (section.isEmpty() || key.isEmpty())
        throw IniFileError(path, QStringLiteral("セクション名またはキー名が空です。"));
    if (key.contains(u'='))
        throw IniFileError(path, QStringLiteral("キー名「%1」に「=」は使えません。").arg(key));
    for (const QString& s : {section, key, value})
        if (s.contains(u'\r') || s.contains(u'\n'))
            throw IniFileError(path, QStringLiteral("改行を含む名前や値は書き込めません。"));
}

} // namespace

IniFileError::IniFileError(const QString& path, const QString& reason)
    : std::runtime_error(QStringLiteral("INIファイル「%1」に書き込めません: %2").arg(path, reason).toStdString()),
      path_(path) {}

TIniFile::TIniFile(const QString& fileName) : fileName_(fileName) {}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const {
    const auto raw = Document(fileName_).rawValue(section, key);
    return raw ? unquote(*raw) : defaultValue;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const {
    const auto raw = Document(fileName_).rawValue(section, key);
    if (!raw)
        return defaultValue;
    return parseInteger(unquote(*raw)).value_or(defaultValue);
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    checkName(fileName_, section, key, value);
    Document doc(fileName_);
    auto& lines = doc.lines();
    const qsizetype header = doc.findSection(section);
    if (header >= 0) {
        const qsizetype existing = doc.findKey(header, key);
        if (existing >= 0) {
            Line& line = lines[size_t(existing)];
            line = parseLine(toCp932(line.name + u'=' + value), line.end);
        } else {
            qsizetype after = header;
            for (qsizetype i = header + 1, end = doc.sectionEnd(header); i < end; ++i)
                if (lines[size_t(i)].kind == Kind::Key)
                    after = i;
            if (lines[size_t(after)].end.isEmpty())
                lines[size_t(after)].end = kCrLf;
            lines.insert(lines.begin() + after + 1, makeLine(key + u'=' + value));
        }
    } else {
        if (!lines.empty()) {
            if (lines.back().end.isEmpty())
                lines.back().end = kCrLf;
            if (!trimBlanks(fromCp932(lines.back().bytes)).isEmpty())
                lines.push_back(parseLine({}, kCrLf));
        }
        lines.push_back(makeLine(u'[' + section + u']'));
        lines.push_back(makeLine(key + u'=' + value));
    }
    doc.save();
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList TIniFile::ReadSection(const QString& section) const {
    return Document(fileName_).keys(section);
}

QStringList TIniFile::ReadSections() const {
    QStringList result;
    const Document doc(fileName_);
    for (const Line& line : doc.lines()) {
        if (line.kind != Kind::Section)
            continue;
        const bool seen = std::any_of(result.cbegin(), result.cend(),
                                      [&](const QString& s) { return asciiEqualsIgnoreCase(s, line.name); });
        if (!seen)
            result << line.name;
    }
    return result;
}

QStringList TIniFile::ReadSectionValues(const QString& section) const {
    const Document doc(fileName_);
    QStringList result;
    for (const QString& key : doc.keys(section))
        result << key + u'=' + unquote(doc.rawValue(section, key).value_or(QString()));
    return result;
}

bool TIniFile::SectionExists(const QString& section) const {
    return !ReadSection(section).isEmpty();
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const {
    return Document(fileName_).rawValue(section, key).has_value();
}

void TIniFile::DeleteKey(const QString& section, const QString& key) {
    Document doc(fileName_);
    const qsizetype header = doc.findSection(section);
    if (header < 0)
        return;
    auto& lines = doc.lines();
    for (qsizetype i = doc.sectionEnd(header) - 1; i > header; --i)
        if (lines[size_t(i)].kind == Kind::Key && asciiEqualsIgnoreCase(lines[size_t(i)].name, key))
            lines.erase(lines.begin() + i);
    doc.save();
}

void TIniFile::EraseSection(const QString& section) {
    Document doc(fileName_);
    // Every section of that name goes, so that no later duplicate surfaces in its place.
    for (qsizetype header = doc.findSection(section); header >= 0; header = doc.findSection(section))
        doc.lines().erase(doc.lines().begin() + header, doc.lines().begin() + doc.sectionEnd(header));
    doc.save();
}

} // namespace platform
