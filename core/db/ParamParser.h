#pragma once
// Named parameters in SQL text: ":NAME" becomes the positional marker "?" that Firebird
// takes. Names inside string literals, quoted identifiers and comments are left alone, and so
// is "::".

#include <QString>
#include <QStringList>

namespace core {

struct ParsedSql {
    QString sql;       // the text with every parameter replaced by "?"
    QStringList names; // one entry per "?" in order: the upper-case name, "" for a bare "?"
};

ParsedSql parseParams(const QString& sql);

} // namespace core
