// The information block appended to a backup file: "## TessaroZone" and eight KEY=value
// lines, each ended by CR LF, in CP932, with nothing else (no length, no checksum). It is
// found again from the end of the file (core/files/FileZone.h), so a reader needs no restore.
#include "companydata/BackupRestoreThread.h"

#include "core/files/FileZone.h"

#include "platform/Cp932.h"

#include <QFile>
#include <QStringList>

#include <exception>

namespace companydata {

namespace {

// The value of the first line "key=..." (key in any case); empty when there is none.
QString valueOf(const QStringList& lines, const QString& key) {
    const QString prefix = key + QLatin1Char('=');
    for (const QString& line : lines)
        if (line.startsWith(prefix, Qt::CaseInsensitive))
            return line.mid(prefix.size());
    return {};
}

qint32 numberOf(const QStringList& lines, const QString& key) {
    bool ok = false;
    const qint32 value = valueOf(lines, key).trimmed().toInt(&ok);
    return ok ? value : 0;
}

} // namespace

void TBackupRestoreThread::ClearZoneInfo() {
    ZoneShougou.clear();
    ZoneKishu.clear();
    ZoneKimatu.clear();
    ZoneSiwake = 0;
    ZoneTotalSiwake = 0;
    ZoneDataVersion.clear();
    ZoneGassan = 0;
    ZoneUseMyNumber = 0;
}

bool TBackupRestoreThread::WriteZoneInfo(const QString& fileName) {
    if (ZoneShougou.isEmpty())
        return true;
    const QStringList lines = {
        core::kZoneMarker,
        QStringLiteral("SHOUGOU=") + ZoneShougou,
        QStringLiteral("KISHU=") + ZoneKishu,
        QStringLiteral("KIMATU=") + ZoneKimatu,
        QStringLiteral("SIWAKE=%1").arg(ZoneSiwake),
        QStringLiteral("TOTALSIWAKE=%1").arg(ZoneTotalSiwake),
        QStringLiteral("DATAVARSION=") + ZoneDataVersion,
        QStringLiteral("GASSAN=%1").arg(ZoneGassan),
        QStringLiteral("USEMYNUMBER=%1").arg(ZoneUseMyNumber),
    };
    QByteArray block;
    try {
        for (const QString& line : lines)
            block += platform::toCp932(line) + "\r\n";
    } catch (const std::exception&) {
        return false; // a character CP932 cannot hold; the backup stays without a block
    }
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool written = file.write(block) == block.size() && file.flush();
    file.close();
    return written;
}

bool TBackupRestoreThread::ReadZoneInfo(const QString& fileName, bool cut) {
    ClearZoneInfo();
    QString zoneText;
    const qint64 offset = core::FindTextInFile(fileName, core::kZoneMarker, zoneText);
    if (offset < 0)
        return false;
    const QStringList lines = zoneText.split(QStringLiteral("\r\n"));
    ZoneShougou = valueOf(lines, QStringLiteral("SHOUGOU"));
    ZoneKishu = valueOf(lines, QStringLiteral("KISHU"));
    ZoneKimatu = valueOf(lines, QStringLiteral("KIMATU"));
    ZoneSiwake = numberOf(lines, QStringLiteral("SIWAKE"));
    ZoneTotalSiwake = numberOf(lines, QStringLiteral("TOTALSIWAKE"));
    ZoneDataVersion = valueOf(lines, QStringLiteral("DATAVARSION"));
    ZoneGassan = numberOf(lines, QStringLiteral("GASSAN"));
    ZoneUseMyNumber = numberOf(lines, QStringLiteral("USEMYNUMBER"));
    if (cut && offset > 0 && !QFile::resize(fileName, offset))
        return false;
    return !ZoneShougou.isEmpty();
}

} // namespace companydata
