#include "platform/Registry.h"

#include "platform/AsciiCase.h"
#include "platform/Cp932.h"

#include <QFile>

#include <algorithm>
#include <optional>

namespace platform {

namespace {

QString& configuredFile() {
    static QString path;
    return path;
}

QString stripBackslashes(const QString& path) {
    qsizetype begin = 0;
    qsizetype end = path.size();
    while (begin < end && path[begin] == u'\\')
        ++begin;
    while (end > begin && path[end - 1] == u'\\')
        --end;
    return path.mid(begin, end - begin);
}

QString fullKeyPath(RootKey root, const QString& keyPath) {
    const QString rest = stripBackslashes(keyPath);
    return rest.isEmpty() ? rootKeyName(root) : rootKeyName(root) + u'\\' + rest;
}

QStringList registryLines() {
    QFile file(registryFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Split on the byte 0x0A (never a CP932 trail byte) before decoding.
    QStringList lines;
    for (const QByteArray& raw : file.readAll().split('\n'))
        lines << fromCp932(raw).trimmed();
    return lines;
}

// Reads a .reg quoted string starting at `pos` (on the opening quote); moves `pos` past the
// closing quote. Returns nothing when the quote is not closed.
std::optional<QString> readQuoted(const QString& line, qsizetype& pos) {
    QString out;
    for (qsizetype i = pos + 1; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'\\' && i + 1 < line.size() && (line[i + 1] == u'\\' || line[i + 1] == u'"')) {
            out += line[++i];
        } else if (c == u'"') {
            pos = i + 1;
            return out;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

struct ValueLine {
    QString name;
    RegistryValue value;
};

std::optional<ValueLine> parseValueLine(const QString& line) {
    ValueLine result;
    qsizetype pos = 0;
    if (line.startsWith(u'@')) {
        pos = 1;
    } else if (line.startsWith(u'"')) {
        auto name = readQuoted(line, pos);
        if (!name)
            return std::nullopt;
        result.name = *name;
    } else {
        return std::nullopt;
    }
    while (pos < line.size() && line[pos].isSpace())
        ++pos;
    if (pos >= line.size() || line[pos] != u'=')
        return std::nullopt;
    const QString data = line.mid(pos + 1).trimmed();

    RegistryValue& v = result.value;
    if (data.startsWith(u'"')) {
        qsizetype p = 0;
        if (auto text = readQuoted(data, p)) {
            v.type = RegistryValueType::String;
            v.text = *text;
            return result;
        }
    }
    if (asciiStartsWithIgnoreCase(data, u"dword:")) {
        const QString digits = data.mid(6);
        bool ok = false;
        const uint n = digits.toUInt(&ok, 16);
        if (ok && !digits.isEmpty() && digits.size() <= 8) {
            v.type = RegistryValueType::Integer;
            v.integer = qint32(n);
            return result;
        }
    }
    v.type = RegistryValueType::Other;
    v.text = data;
    return result;
}

bool isSectionHeader(const QString& line) {
    return line.startsWith(u'[') && line.endsWith(u']');
}

QString sectionPath(const QString& line) {
    return stripBackslashes(line.mid(1, line.size() - 2).trimmed());
}

} // namespace

void setRegistryFile(const QString& path) {
    configuredFile() = path;
}

QString registryFile() {
    const QString env = qEnvironmentVariable("TAXLINK_REGISTRY");
    if (!env.isEmpty())
        return env;
    if (!configuredFile().isEmpty())
        return configuredFile();
    return QStringLiteral("/etc/taxlink/registry.ini");
}

QString rootKeyName(RootKey root) {
    switch (root) {
    case RootKey::LocalMachine:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    case RootKey::CurrentUser:
        return QStringLiteral("HKEY_CURRENT_USER");
    }
    return {};
}

RegistryValue readRegistryValue(RootKey root, const QString& keyPath, const QString& valueName) {
    const QString wanted = fullKeyPath(root, keyPath);
    bool inKey = false;
    for (const QString& line : registryLines()) {
        if (isSectionHeader(line)) {
            inKey = asciiEqualsIgnoreCase(sectionPath(line), wanted);
            continue;
        }
        if (!inKey)
            continue;
        const auto parsed = parseValueLine(line);
        if (parsed && asciiEqualsIgnoreCase(parsed->name, valueName))
            return parsed->value;
    }
    return {};
}

QStringList registrySubKeys(RootKey root, const QString& keyPath) {
    const QString prefix = fullKeyPath(root, keyPath) + u'\\';
    QStringList names;
    for (const QString& line : registryLines()) {
        if (!isSectionHeader(line))
            continue;
        const QString path = sectionPath(line);
        if (!asciiStartsWithIgnoreCase(path, prefix))
            continue;
        const QString child = path.mid(prefix.size()).section(u'\\', 0, 0);
        const bool seen = std::any_of(names.cbegin(), names.cend(),
                                      [&](const QString& n) { return asciiEqualsIgnoreCase(n, child); });
        if (!child.isEmpty() && !seen)
            names << child;
    }
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return asciiLower(a) < asciiLower(b); });
    return names;
}

} // namespace platform
