#include "core/errors/ErrorLogs.h"

#include "core/Globals.h"
#include "platform/Cp932.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <utility>

namespace core {

namespace {

ErrorLogClock& clockHook() {
    static ErrorLogClock clock;
    return clock;
}

// Empty while the session has no log folder, so that nothing lands in the working folder.
QString inLogDir(const QString& name) {
    return SystemDef.LogDir.isEmpty() ? QString() : QDir(SystemDef.LogDir).filePath(name);
}

// CP932 bytes of the lines with CR LF; characters CP932 cannot hold become "?".
QByteArray logBytes(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    for (;;) {
        try {
            return platform::toCp932(text);
        } catch (const platform::EncodingError& e) {
            text.replace(e.position(), e.character().size(), QLatin1Char('?'));
        }
    }
}

bool warnFailed(const QString& file, const QString& reason) {
    qWarning().noquote() << "error log not written:" << file << reason;
    return false;
}

} // namespace

ErrorLogClock setErrorLogClock(ErrorLogClock clock) {
    return std::exchange(clockHook(), std::move(clock));
}

QDateTime errorLogNow() {
    const ErrorLogClock& clock = clockHook();
    return clock ? clock() : QDateTime::currentDateTime();
}

QString errFbAccessLogFile() {
    return inLogDir(QStringLiteral("ErrFbAccess.log"));
}
QString errFbAccessTxtFile() {
    return inLogDir(QStringLiteral("ErrFbAccess.txt"));
}
QString fbErrorLogFile() {
    return inLogDir(QStringLiteral("FB_ERROR.LOG"));
}
QString fbErrorTxtFile() {
    return inLogDir(QStringLiteral("FB_ERROR.TXT"));
}

bool appendLogLines(const QString& file, const QStringList& lines) {
    if (file.isEmpty())
        return warnFailed(file, QStringLiteral("no log folder"));
    const QByteArray bytes = logBytes(lines);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Append))
        return warnFailed(file, out.errorString());
    if (out.write(bytes) != bytes.size() || !out.flush())
        return warnFailed(file, out.errorString());
    return true;
}

bool replaceLogLines(const QString& file, const QStringList& lines) {
    if (file.isEmpty())
        return warnFailed(file, QStringLiteral("no log folder"));
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return warnFailed(file, out.errorString());
    out.write(logBytes(lines));
    if (!out.commit())
        return warnFailed(file, out.errorString());
    return true;
}

} // namespace core
