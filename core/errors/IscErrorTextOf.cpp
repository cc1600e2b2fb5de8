#include "core/EIBError.h"
#include "core/errors/IscErrorText.h"

#include <QRegularExpression>

namespace core {

namespace {

// The database file a Firebird message names: 'file "…"' (I/O errors) or 'file … is not a valid
// database'; empty when it names none.
QString fileNamedIn(const QString& message)
{
    static const QRegularExpression quoted(QStringLiteral("\\bfile \"([^\"]+)\""));
    static const QRegularExpression notDatabase(QStringLiteral("\\bfile (.+?) is not a valid database"));
    for (const QRegularExpression* pattern : {&quoted, &notDatabase}) {
        const QRegularExpressionMatch match = pattern->match(message);
        if (match.hasMatch())
            return match.captured(1);
    }
    return {};
}

} // namespace

QString IscErrorTextOf(const EIBError& error)
{
    QString text = GetIscErrorText(qint32(error.ibErrorCode()), error.sqlCode());
    // The explanations of file errors leave a place for the file: "ファイル<"">".
    const QString place = QStringLiteral("ファイル<\"\">");
    if (text.contains(place)) {
        const QString file = fileNamedIn(error.message());
        if (!file.isEmpty())
            text.replace(place, QStringLiteral("ファイル<\"%1\">").arg(file));
    }
    return text;
}

} // namespace core
