#include "dbupgrade/steps/StepSql.h"

#include "core/Exception.h"

#include <QFile>

namespace dbupgrade {

QString StepSql(const QString& path)
{
    QFile file(QStringLiteral(":/dbupgrade/steps/") + path);
    if (!file.open(QIODevice::ReadOnly))
        throw core::Exception(QStringLiteral("step script %1 is missing").arg(path));
    QString text = QString::fromUtf8(file.readAll());
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

QString FillStepSql(QString text, const QString& name, const QString& value)
{
    return text.replace(QStringLiteral("{{") + name + QStringLiteral("}}"), value);
}

} // namespace dbupgrade
