#include "link/export/ValueFormats.h"

#include "core/dates/Gengo.h"

namespace taxreturn {

namespace {

qint64 roundedUnits(core::Currency value)
{
    const qint64 half = core::Currency::scale / 2;
    if (value.raw >= 0)
        return (value.raw + half) / core::Currency::scale;
    return -((-value.raw + half) / core::Currency::scale);
}

} // namespace

QString FormatAmount(core::Currency value)
{
    const qint64 units = roundedUnits(value);
    return units == 0 ? QString() : QString::number(units);
}

QString FormatAmount0(core::Currency value)
{
    return QString::number(roundedUnits(value));
}

QString FormatDate8(const QDate& date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyyMMdd")) : QString();
}

QString FormatIsoDate(const QDate& date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

QString FormatEraDate(const QDate& date)
{
    if (!date.isValid())
        return {};
    const core::TWarekiRec era = core::DateToWareki(date);
    return QString::asprintf("%s%.2d年%.2d月%.2d日", era.name.toUtf8().constData(), int(era.year), int(era.month),
                             int(era.day));
}

} // namespace taxreturn
