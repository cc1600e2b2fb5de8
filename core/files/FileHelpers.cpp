#include "core/files/FileHelpers.h"

#include "platform/Cp932.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace core {

qint64 GetFileSizeByName(const QString& fileName) {
    struct stat st {};
    if (::stat(QFile::encodeName(fileName).constData(), &st) != 0)
        return (errno == ENOENT || errno == ENOTDIR) ? 0 : -1;
    return S_ISREG(st.st_mode) ? qint64(st.st_size) : 0;
}

bool AppendBytesToFile(const QString& fileName, const QByteArray& bytes) {
    QFile file(fileName);
    if (!file.exists() || !file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    return file.write(bytes) == bytes.size() && file.flush();
}

bool AppendTextToFile(const QString& fileName, const QString& text) {
    QByteArray bytes;
    try {
        bytes = platform::toCp932(text);
    } catch (const platform::EncodingError&) {
        return false;
    }
    return AppendBytesToFile(fileName, bytes);
}

bool BytesEqual(const void* a, const void* b, qsizetype count) {
    return count <= 0 || std::memcmp(a, b, size_t(count)) == 0;
}

} // namespace core
