#include "core/backup/SplitHeader.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

namespace core {

QByteArray singlePartSplitHeader(const QString& fileName) {
    // The fields as gbak lays them out: tag (18), time (30), ", file No. " (11), part (4),
    // " of " (4), parts (4), ", " (2), name (27).
    const QByteArray time = QLocale::c()
                                .toString(QDateTime::currentDateTime(), QStringLiteral("ddd MMM dd HH:mm:ss yyyy"))
                                .toLatin1()
                                .leftJustified(30, ' ', true);
    QByteArray name = QFileInfo(fileName).fileName().toLatin1().right(27);
    name = name.leftJustified(27, ' ', true);
    QByteArray header = QByteArray("InterBase/gbak,   ") + time + ", file No. " + "   1" + " of " + "   1" + ", " + name;
    header.resize(kSplitHeaderSize, ' ');
    return header;
}

} // namespace core
