#include "platform/ZipWithDll.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <zip.h>

namespace platform {

namespace {

QString unquoted(QString path) {
    path = path.trimmed();
    if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) && path.endsWith(QLatin1Char('"')))
        path = path.mid(1, path.size() - 2);
    return path;
}

// The password after "-P", or empty when none is asked for.
QString passwordOf(const QString& options, bool& asked) {
    const QStringList words = options.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    asked = false;
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words[i] == QLatin1String("-P")) {
            asked = true;
            return i + 1 < words.size() ? words[i + 1] : QString();
        }
    }
    return QString();
}

} // namespace

int ZipWithDll(const QString& options, const QString& zipPath, const QString& sourcePath) {
    const QString target = unquoted(zipPath);
    const QString source = unquoted(sourcePath);
    if (QFileInfo::exists(target))
        QFile::remove(target);
    bool encrypt = false;
    const QByteArray password = passwordOf(options, encrypt).toLatin1();
    if (encrypt && !zip_encryption_method_supported(ZIP_EM_TRAD_PKWARE, 1))
        return -3;

    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(target).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return -1;
    const auto fail = [&]() {
        zip_discard(archive);
        QFile::remove(target);
        return -1;
    };
    zip_source_t* data = zip_source_file(archive, QFile::encodeName(source).constData(), 0, -1);
    if (!data)
        return fail();
    const QByteArray name = QFileInfo(source).fileName().toUtf8();
    const zip_int64_t index = zip_file_add(archive, name.constData(), data, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(data);
        return fail();
    }
    if (encrypt && zip_file_set_encryption(archive, zip_uint64_t(index), ZIP_EM_TRAD_PKWARE, password.constData()) != 0)
        return fail();
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        QFile::remove(target);
        return -1;
    }
    return 0;
}

} // namespace platform
