#include "core/files/IniHelpers.h"

#include "platform/IniFile.h"

#include <QThread>

namespace core {

namespace {

// Waits 10 ms when it goes out of scope, however the write ended.
struct PauseAfterWrite {
    ~PauseAfterWrite() { QThread::msleep(10); }
};

QString variantText(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return value.toString();
}

QString nameOf(const QString& line) {
    const qsizetype equals = line.indexOf(u'=');
    return equals < 0 ? QString() : line.left(equals);
}

// The value of the first line named name.
QString valueOf(const QStringList& lines, const QString& name) {
    for (const QString& line : lines)
        if (nameOf(line).compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(name.size() + 1);
    return {};
}

} // namespace

void WriteIniFileValue(const QString& fileName, const QString& section, const QString& key, bool deleteKey,
                       const QVariant& value) {
    const PauseAfterWrite pause;
    platform::TIniFile ini(fileName);
    if (deleteKey)
        ini.DeleteKey(section, key);
    else
        ini.WriteString(section, key, variantText(value));
}

QString ReadIniFileSection(const QString& fileName, const QString& section) {
    if (fileName.isEmpty() || section.isEmpty())
        return {};
    QString text;
    for (const QString& line : platform::TIniFile(fileName).ReadSectionValues(section))
        text += line + QStringLiteral("\r\n");
    return text;
}

void WriteIniFileSection(const QString& fileName, const QString& section, const QStringList& lines) {
    if (fileName.isEmpty() || section.isEmpty())
        return;
    platform::TIniFile ini(fileName);
    ini.EraseSection(section);
    for (const QString& line : lines) {
        const QString name = nameOf(line);
        if (!name.isEmpty())
            ini.WriteString(section, name, valueOf(lines, name));
    }
}

} // namespace core
