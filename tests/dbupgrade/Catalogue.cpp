#include "tests/dbupgrade/Catalogue.h"

#include "tests/dbupgrade/UpgradeTestSupport.h"

#include <QRegularExpression>
#include <QSet>

namespace upgradetest {

namespace {

// "DEFAULT 0", "default  0" and "0" read the same.
QString normalisedDefault(QString text)
{
    text = text.trimmed();
    if (text.startsWith(QLatin1String("DEFAULT"), Qt::CaseInsensitive))
        text = text.mid(7).trimmed();
    return text.simplified();
}

const QString kColumns = QStringLiteral(
    "SELECT TRIM(RF.RDB$RELATION_NAME), IIF(R.RDB$VIEW_BLR IS NULL, 'TABLE', 'VIEW'), TRIM(RF.RDB$FIELD_NAME), "
    "F.RDB$FIELD_TYPE, COALESCE(F.RDB$FIELD_SUB_TYPE, 0), F.RDB$FIELD_LENGTH, COALESCE(F.RDB$FIELD_SCALE, 0), "
    "COALESCE(F.RDB$CHARACTER_LENGTH, 0), COALESCE(F.RDB$CHARACTER_SET_ID, 0), "
    "COALESCE(RF.RDB$NULL_FLAG, F.RDB$NULL_FLAG, 0), "
    "CAST(COALESCE(RF.RDB$DEFAULT_SOURCE, F.RDB$DEFAULT_SOURCE, '') AS VARCHAR(512) CHARACTER SET UTF8), "
    "IIF(F.RDB$COMPUTED_BLR IS NULL, 0, 1) "
    "FROM RDB$RELATION_FIELDS RF JOIN RDB$RELATIONS R ON R.RDB$RELATION_NAME = RF.RDB$RELATION_NAME "
    "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE WHERE COALESCE(R.RDB$SYSTEM_FLAG, 0) = 0");

const QString kConstraints = QStringLiteral(
    "SELECT TRIM(C.RDB$RELATION_NAME), TRIM(C.RDB$CONSTRAINT_TYPE), "
    "(SELECT LIST(TRIM(S.RDB$FIELD_NAME), ',') FROM (SELECT RDB$FIELD_NAME FROM RDB$INDEX_SEGMENTS "
    "  WHERE RDB$INDEX_NAME = C.RDB$INDEX_NAME ORDER BY RDB$FIELD_POSITION) S), "
    "COALESCE((SELECT TRIM(U.RDB$RELATION_NAME) FROM RDB$REF_CONSTRAINTS RC JOIN RDB$RELATION_CONSTRAINTS U "
    "  ON U.RDB$CONSTRAINT_NAME = RC.RDB$CONST_NAME_UQ WHERE RC.RDB$CONSTRAINT_NAME = C.RDB$CONSTRAINT_NAME), ''), "
    "COALESCE((SELECT TRIM(RC.RDB$UPDATE_RULE) || '/' || TRIM(RC.RDB$DELETE_RULE) FROM RDB$REF_CONSTRAINTS RC "
    "  WHERE RC.RDB$CONSTRAINT_NAME = C.RDB$CONSTRAINT_NAME), '') "
    "FROM RDB$RELATION_CONSTRAINTS C WHERE C.RDB$CONSTRAINT_TYPE IN ('PRIMARY KEY', 'UNIQUE', 'FOREIGN KEY')");

const QString kIndexes = QStringLiteral(
    "SELECT TRIM(I.RDB$RELATION_NAME), COALESCE(I.RDB$UNIQUE_FLAG, 0), COALESCE(I.RDB$INDEX_TYPE, 0), "
    "(SELECT LIST(TRIM(S.RDB$FIELD_NAME), ',') FROM (SELECT RDB$FIELD_NAME FROM RDB$INDEX_SEGMENTS "
    "  WHERE RDB$INDEX_NAME = I.RDB$INDEX_NAME ORDER BY RDB$FIELD_POSITION) S) "
    "FROM RDB$INDICES I WHERE COALESCE(I.RDB$SYSTEM_FLAG, 0) = 0 AND NOT EXISTS "
    "(SELECT 1 FROM RDB$RELATION_CONSTRAINTS C WHERE C.RDB$INDEX_NAME = I.RDB$INDEX_NAME)");

const QString kProcedureParameters = QStringLiteral(
    "SELECT TRIM(P.RDB$PROCEDURE_NAME), P.RDB$PARAMETER_TYPE, P.RDB$PARAMETER_NUMBER, TRIM(P.RDB$PARAMETER_NAME), "
    "F.RDB$FIELD_TYPE, COALESCE(F.RDB$FIELD_SUB_TYPE, 0), F.RDB$FIELD_LENGTH, COALESCE(F.RDB$FIELD_SCALE, 0), "
    "COALESCE(F.RDB$CHARACTER_SET_ID, 0) "
    "FROM RDB$PROCEDURE_PARAMETERS P JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = P.RDB$FIELD_SOURCE "
    "WHERE COALESCE(P.RDB$SYSTEM_FLAG, 0) = 0");

const QString kProcedures = QStringLiteral(
    "SELECT TRIM(RDB$PROCEDURE_NAME) FROM RDB$PROCEDURES WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0");

const QString kFunctionArguments = QStringLiteral(
    "SELECT TRIM(A.RDB$FUNCTION_NAME), A.RDB$ARGUMENT_POSITION, COALESCE(TRIM(A.RDB$ARGUMENT_NAME), ''), "
    "F.RDB$FIELD_TYPE, F.RDB$FIELD_LENGTH, COALESCE(F.RDB$CHARACTER_SET_ID, 0) "
    "FROM RDB$FUNCTION_ARGUMENTS A JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = A.RDB$FIELD_SOURCE "
    "WHERE COALESCE(A.RDB$SYSTEM_FLAG, 0) = 0");

const QString kTriggers = QStringLiteral(
    "SELECT TRIM(RDB$TRIGGER_NAME), TRIM(COALESCE(RDB$RELATION_NAME, '')), RDB$TRIGGER_TYPE, "
    "COALESCE(RDB$TRIGGER_SEQUENCE, 0), COALESCE(RDB$TRIGGER_INACTIVE, 0) FROM RDB$TRIGGERS "
    "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0");

const QString kGenerators = QStringLiteral(
    "SELECT TRIM(RDB$GENERATOR_NAME) FROM RDB$GENERATORS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0");

const QString kDomains = QStringLiteral(
    "SELECT TRIM(RDB$FIELD_NAME), RDB$FIELD_TYPE, F.RDB$FIELD_LENGTH, COALESCE(RDB$FIELD_SCALE, 0), "
    "COALESCE(RDB$CHARACTER_SET_ID, 0), COALESCE(RDB$NULL_FLAG, 0) FROM RDB$FIELDS F "
    "WHERE RDB$FIELD_NAME NOT STARTING WITH 'RDB$' AND COALESCE(RDB$SYSTEM_FLAG, 0) = 0");

QStringList prefixed(const QString& kind, const QStringList& rows)
{
    QStringList out;
    for (const QString& row : rows)
        out << kind + QLatin1Char('|') + row;
    return out;
}

} // namespace

QStringList catalogueLines(const QString& file)
{
    QStringList lines;
    for (QString row : queryRows(file, kColumns)) {
        QStringList parts = row.split(QLatin1Char('|'));
        if (parts.size() >= 12)
            parts[10] = normalisedDefault(parts[10]);
        lines << QStringLiteral("column|") + parts.join(QLatin1Char('|'));
    }
    lines << prefixed(QStringLiteral("key"), queryRows(file, kConstraints));
    lines << prefixed(QStringLiteral("index"), queryRows(file, kIndexes));
    lines << prefixed(QStringLiteral("procedure"), queryRows(file, kProcedures));
    lines << prefixed(QStringLiteral("parameter"), queryRows(file, kProcedureParameters));
    lines << prefixed(QStringLiteral("argument"), queryRows(file, kFunctionArguments));
    lines << prefixed(QStringLiteral("trigger"), queryRows(file, kTriggers));
    lines << prefixed(QStringLiteral("generator"), queryRows(file, kGenerators));
    lines << prefixed(QStringLiteral("domain"), queryRows(file, kDomains));
    lines.sort();
    return lines;
}

CatalogueDifference compareCatalogues(const QString& reference, const QString& database)
{
    const QStringList wanted = catalogueLines(reference);
    const QStringList have = catalogueLines(database);
    const QSet<QString> haveSet(have.begin(), have.end());
    const QSet<QString> wantedSet(wanted.begin(), wanted.end());
    CatalogueDifference difference;
    difference.compared = int(wanted.size());
    for (const QString& line : wanted)
        if (!haveSet.contains(line))
            difference.missing << line;
    for (const QString& line : have)
        if (!wantedSet.contains(line))
            difference.extra << line;
    return difference;
}

} // namespace upgradetest
