#pragma once
// INI files read and written the way the Windows profile functions and Delphi's TIniFile do:
// CP932 on disk, CRLF line ends, section and key names compared case-insensitively (ASCII
// letters only, on the decoded text). Every call opens the file anew, as the Windows functions
// do, so a value written is seen at once by any other TIniFile on the same path.

#include <QString>
#include <QStringList>
#include <stdexcept>

namespace platform {

// A write that did not reach the disk. The file keeps its previous content.
class IniFileError : public std::runtime_error {
public:
    IniFileError(const QString& path, const QString& reason);
    QString path() const { return path_; }

private:
    QString path_;
};

class TIniFile {
public:
    explicit TIniFile(const QString& fileName);

    QString FileName() const { return fileName_; }

    // The value trimmed of blanks, with one pair of matching surrounding quotes ("" or '')
    // removed. A key written as "key=" gives an empty string; only a missing key gives the default.
    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Decimal with an optional sign, or hexadecimal written "$1F" or "0x1F"; anything else (or a
    // value outside 32 bits) gives the default.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    // Delphi's rule: the value read as an integer is true when it is not 0.
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;

    // Writes "key=value". An existing key line is replaced in place, keeping the key's spelling
    // and line end; a new key goes after the last key line of its section; a new section goes at
    // the end of the file after a blank line. Every other line keeps its bytes. Creates the file
    // (never its folder). Throws IniFileError when the file cannot be written, EncodingError
    // when the text has a character CP932 cannot hold; the file is left as it was in both cases.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value); // "1" or "0"

    QStringList ReadSection(const QString& section) const;       // key names, in file order
    QStringList ReadSections() const;                            // section names, in file order
    QStringList ReadSectionValues(const QString& section) const; // "key=value", values as ReadString gives them
    // As Delphi's TIniFile: a section exists when it holds at least one key.
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;

    void DeleteKey(const QString& section, const QString& key);
    // Removes the section header and every line up to the next section.
    void EraseSection(const QString& section);
    // Every write is on disk when it returns; kept for callers written against the Delphi class.
    void UpdateFile() {}

private:
    QString fileName_;
};

} // namespace platform
