#include "dbupgrade/runner/UpdateScript.h"

#include "core/db/ConnectionName.h"
#include "core/dm/ConnectionSetup.h"
#include "core/session/Identity.h"
#include "core/text/SjisText.h"
#include "dbupgrade/runner/UpdateFiles.h"
#include "platform/Cp932.h"

#include <QFile>

namespace dbupgrade {

std::function<QDateTime()> ScriptClock = [] { return QDateTime::currentDateTime(); };

namespace {

const QByteArray kCrLf("\r\n");

QString timeText(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

// Any line break inside an entry becomes CR LF.
QByteArray lineBytes(const QString& text)
{
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QByteArray out;
    const QStringList lines = normal.split(QLatin1Char('\n'));
    for (const QString& line : lines)
        out += platform::toCp932(line) + kCrLf;
    return out;
}

} // namespace

QString SqlQuote(const QString& text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString VersionText(const core::TVersionTriple& version)
{
    return QString::asprintf("%d.%d.%d", version.Major, version.Minor1, version.Minor2);
}

QString StepDatabaseFile(StepDatabase database)
{
    return database == StepDatabase::System ? core::Identity.DataDefFile : core::Identity.DataFile;
}

QString StepConnectTarget(StepDatabase database)
{
    const QString folder = database == StepDatabase::System ? core::SystemDef.SYSDIR : core::SystemDef.DataFolder;
    return core::databaseConnectionName(core::ConnectMode, core::connectHost(QString()), folder,
                                        StepDatabaseFile(database));
}

QByteArray ConnectLine(const QString& target)
{
    const QByteArray quote = target.contains(QLatin1Char('\'')) ? QByteArray("\"") : QByteArray("'");
    return "CONNECT " + quote + core::toNativeName(target) + quote + ";";
}

UpdateScript::UpdateScript(const UpdateScriptFrame& frame) : frame_(frame), time_(ScriptClock()) {}

void UpdateScript::add(const QString& lines)
{
    sql_ << lines;
}

void UpdateScript::add(const QStringList& lines)
{
    sql_ << lines;
}

QString UpdateScript::memoText() const
{
    const QString time = timeText(time_);
    if (frame_.memo == MemoForm::Short)
        return time;
    const QString whole = QStringList{time, QString::number(core::SystemDef.LoginCode), core::SystemDef.OPNAME,
                                      core::SystemDef.ComputerName}
                              .join(QLatin1Char(','));
    if (frame_.memo == MemoForm::Long)
        return whole;
    const QString cut = core::LeftStrB(whole, 127);
    return frame_.memo == MemoForm::Long127 ? cut : cut.trimmed();
}

QByteArray UpdateScript::bytes() const
{
    const core::TVersionTriple& v = frame_.version;
    QByteArray out;
    out += lineBytes(QString::asprintf("/* %s,%s,%d */", qUtf8Printable(timeText(time_)),
                                       qUtf8Printable(core::SystemDef.ComputerName), core::SystemDef.OPCODE));
    out += kCrLf;
    out += ConnectLine(StepConnectTarget(frame_.database)) + kCrLf;
    if (frame_.setNames)
        out += lineBytes(QStringLiteral("SET NAMES SJIS_0208;"));
    for (const QString& entry : sql_)
        out += lineBytes(entry);
    const QString memo = SqlQuote(memoText());
    if (frame_.database == StepDatabase::System) {
        const QString values = QString::asprintf("VALUES(%d,%d,%d,", v.Major, v.Minor1, v.Minor2) + memo +
                               QStringLiteral(");");
        if (frame_.twoLineVersionRow)
            out += lineBytes(QStringLiteral("INSERT INTO VERSION(MAJOR,MINOR1,MINOR2,MEMO)\n") + values);
        else
            out += lineBytes(QStringLiteral("INSERT INTO VERSION(MAJOR,MINOR1,MINOR2,MEMO) ") + values);
    } else {
        out += lineBytes(QString::asprintf("UPDATE ACCVERSION SET MAJOR=%d,MINOR1=%d,MINOR2=%d,MEMO=", v.Major,
                                           v.Minor1, v.Minor2) +
                         memo + QStringLiteral("\nWHERE REC=1;"));
    }
    out += lineBytes(QStringLiteral("COMMIT;"));
    out += lineBytes(QStringLiteral("EXIT;"));
    return out;
}

bool UpdateScript::write() const
{
    const QString path = UpdateScriptFile();
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    const QByteArray data = bytes();
    return file.write(data) == data.size() && file.flush();
}

} // namespace dbupgrade
