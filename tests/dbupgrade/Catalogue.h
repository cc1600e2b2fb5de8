#pragma once
// The catalogue of a database as comparable lines, for checking that an upgraded database has
// every object a freshly created one has: columns (type, length, character set, nulls,
// normalised default, computed), view columns, keys and indexes by table, columns, referenced
// table and rules (not by name), procedure and function parameters, triggers (table, event,
// position, active), generators and domains. Bodies are not compared.

#include <QString>
#include <QStringList>

namespace upgradetest {

// The sorted lines of the database file's catalogue (opened embedded, then closed).
QStringList catalogueLines(const QString& file);

struct CatalogueDifference {
    QStringList missing; // lines of the reference that the database lacks
    QStringList extra;   // lines of the database that the reference lacks
    int compared = 0;    // lines of the reference
};

CatalogueDifference compareCatalogues(const QString& reference, const QString& database);

} // namespace upgradetest
