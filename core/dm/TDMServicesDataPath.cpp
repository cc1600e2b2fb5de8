// From a data folder to its registry row: the data and child numbers in the folder's path
// (stand-alone mode) or the DATALIST row of the path (server modes).
#include "core/dm/TDM.h"

#include "core/Globals.h"
#include "core/text/MojiBunkatu.h"
#include "core/text/SjisText.h"

namespace core {

namespace {

// Upper-cases the single-byte letters only, as the database's UPPER does for SJIS_0208 text.
QString upperAscii(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 'a' + 'A');
    return out;
}

} // namespace

void TDM::SplitDataFolderPath(const QString& path, QString& dataNo, QString& childNo) {
    dataNo.clear();
    childNo.clear();
    // Windows paths separate with "\", native ones with "/": both count.
    QString text = DeleteAllSpaces(path);
    text.replace(u'/', u'\\');
    TMojiBunkatu parts;
    parts.Delimiter = u'\\';
    parts.Split(text);
    for (int i = 0; i < parts.Count; ++i) {
        const QString name = upperAscii(parts.GetItem(i));
        if (name == QLatin1String("DATA") || name == QLatin1String("CB_DATA")) {
            dataNo = parts.GetItem(i + 1);
            childNo = parts.GetItem(i + 2);
            return;
        }
    }
}

void TDM::GetDataRecByPath(const QString& path, int& rec, int& childNo) {
    rec = 0;
    childNo = 0;
    if (TrimBlanks(path).isEmpty())
        return;
    if (ConnectMode == 0) {
        QString dataNo, childText;
        SplitDataFolderPath(path, dataNo, childText);
        rec = dataNo.toInt();
        childNo = childText.toInt();
        return;
    }
    try {
        TransactionScope scope(IBTransactionDEF);
        try {
            TIBSQL q(&IBDatabaseDEF, &IBTransactionDEF);
            q.sql() = QStringList{QStringLiteral("SELECT REC FROM DATALIST"),
                                  QStringLiteral("WHERE (GROUPID=:GROUPID) AND (UPPER(PASNAME)=:PASNAME)")};
            q.paramByName(QStringLiteral("GROUPID")).setInteger(SystemDef.GROUPID);
            q.paramByName(QStringLiteral("PASNAME")).setString(upperAscii(path));
            for (q.execQuery(); !q.eof(); q.next())
                rec = q.fieldByName(QStringLiteral("REC")).asInteger();
            q.close();
        } catch (const std::exception&) {
        }
        scope.commit();
    } catch (const std::exception&) {
    }
}

} // namespace core
