#pragma once
// The per-operator style rows of STYLECOLOR in the system database: report colours of the
// print dialog, the colour palette and the screen values of the dialogs. Every writer stores a
// row the same way (count, then update or insert), through StoreStyleColor.

#include <QString>
#include <QtGlobal>

#include <array>

namespace core {

class TIBSQL;

// LINECOLOR1-5, NETCOLOR1-2 in this order; -1 = not set.
using TStyleColors = std::array<qint32, 7>;
inline constexpr TStyleColors kNoStyleColors{-1, -1, -1, -1, -1, -1, -1};

// Updates the (opCode, styleName) row or inserts it, with the colours and the text as SSTR.
// The statement's transaction must be active; errors propagate.
void StoreStyleColor(TIBSQL& q, qint32 opCode, const QString& styleName, const TStyleColors& colors,
                     const QString& sstr);

// SSTR of the (opCode, styleName) row, the last row read; `found` tells whether there was one.
// The statement's transaction must be active; errors propagate.
QString ReadStyleColorSstr(TIBSQL& q, qint32 opCode, const QString& styleName, bool* found = nullptr);

} // namespace core
