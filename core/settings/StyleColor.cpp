#include "core/settings/StyleColor.h"

#include "core/db/IBSQL.h"

namespace core {

namespace {

const QString kWhere = QStringLiteral("WHERE OPCODE=:OPCODE AND STYLENAME=:STYLENAME");

void setKey(TIBSQL& q, qint32 opCode, const QString& styleName) {
    q.paramByName(QStringLiteral("OPCODE")).setInteger(opCode);
    q.paramByName(QStringLiteral("STYLENAME")).setString(styleName);
}

} // namespace

void StoreStyleColor(TIBSQL& q, qint32 opCode, const QString& styleName, const TStyleColors& colors,
                     const QString& sstr) {
    q.close();
    q.sql() = QStringList{QStringLiteral("SELECT COUNT(OPCODE) AS RECCNT FROM STYLECOLOR"), kWhere};
    setKey(q, opCode, styleName);
    q.execQuery();
    const bool exists = !q.eof() && q.fieldByName(QStringLiteral("RECCNT")).asInteger() != 0;
    q.close();
    if (exists)
        q.sql() = QStringList{QStringLiteral("UPDATE STYLECOLOR SET OPCODE=:OPCODE,STYLENAME=:STYLENAME,LINECOLOR1=:"
                                             "LINECOLOR1,LINECOLOR2=:LINECOLOR2,LINECOLOR3=:LINECOLOR3,LINECOLOR4=:"
                                             "LINECOLOR4,LINECOLOR5=:LINECOLOR5,NETCOLOR1=:NETCOLOR1,NETCOLOR2=:"
                                             "NETCOLOR2,SSTR=:SSTR"),
                              kWhere};
    else
        q.sql() =
            QStringList{QStringLiteral("INSERT INTO STYLECOLOR(OPCODE,STYLENAME,LINECOLOR1,LINECOLOR2,LINECOLOR3,"
                                       "LINECOLOR4,LINECOLOR5,NETCOLOR1,NETCOLOR2,SSTR)"),
                        QStringLiteral("VALUES(:OPCODE,:STYLENAME,:LINECOLOR1,:LINECOLOR2,:LINECOLOR3,:LINECOLOR4,"
                                       ":LINECOLOR5,:NETCOLOR1,:NETCOLOR2,:SSTR)")};
    setKey(q, opCode, styleName);
    const char* const names[] = {"LINECOLOR1", "LINECOLOR2", "LINECOLOR3", "LINECOLOR4",
                                 "LINECOLOR5", "NETCOLOR1",  "NETCOLOR2"};
    for (size_t i = 0; i < colors.size(); ++i)
        q.paramByName(QLatin1String(names[i])).setInteger(colors[i]);
    q.paramByName(QStringLiteral("SSTR")).setString(sstr);
    q.execSQL();
    q.close();
}

QString ReadStyleColorSstr(TIBSQL& q, qint32 opCode, const QString& styleName, bool* found) {
    QString sstr;
    bool any = false;
    q.close();
    q.sql() = QStringList{QStringLiteral("SELECT SSTR FROM STYLECOLOR"), kWhere};
    setKey(q, opCode, styleName);
    for (q.execQuery(); !q.eof(); q.next()) {
        sstr = q.fieldByName(QStringLiteral("SSTR")).asString();
        any = true;
    }
    q.close();
    if (found)
        *found = any;
    return sstr;
}

} // namespace core
