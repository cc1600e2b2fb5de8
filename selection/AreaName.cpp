#include "selection/AreaName.h"

namespace selection {

bool IsSafeAreaName(const QString& name)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : name)
        if (forbidden.contains(c))
            return false;
    return name.count(QLatin1Char('.')) != name.size();
}

} // namespace selection
