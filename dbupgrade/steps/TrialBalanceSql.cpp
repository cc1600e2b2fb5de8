#include "dbupgrade/steps/TrialBalanceSql.h"

#include "core/Exception.h"
#include "schema/SchemaScripts.h"

#include <QStringList>

namespace dbupgrade {

QString TrialBalanceProcedure(const QString& set, const QString& name, const QString& verb)
{
    return SchemaProcedure(QStringLiteral("trial-balance/%1.sql").arg(set), name, verb);
}

QString SchemaProcedure(const QString& script, const QString& name, const QString& verb)
{
    const QString path = QStringLiteral(":/schema/company/") + script;
    const QStringList lines = schema::readScript(path).split(QLatin1Char('\n'));
    const QString head = QStringLiteral("CREATE PROCEDURE %1 (").arg(name);
    int first = -1;
    for (int i = 0; i < lines.size(); ++i) {
        if (first < 0 && lines[i].trimmed() == head) {
            first = i;
        } else if (first >= 0 && lines[i].trimmed() == QLatin1String("END^")) {
            QStringList body = lines.mid(first, i - first + 1);
            for (QString& line : body)
                if (line.endsWith(QLatin1Char('\r')))
                    line.chop(1);
            body[0] = verb + body[0].trimmed().mid(QStringLiteral("CREATE").size());
            return body.join(QLatin1Char('\n'));
        }
    }
    throw core::Exception(QStringLiteral("%1 has no procedure %2").arg(path, name));
}

} // namespace dbupgrade
