#pragma once
// Small helpers of the print library: fields of a delimited line, numbers from text, special
// folders, the numeric key filter of the margin dialog, and the chart painter (no chart library
// here: nothing is drawn or saved).

#include <QRect>
#include <QString>
#include <QStringList>

class QPainter;

namespace print {

// Splits the line (after dropping a "//" comment) at the delimiter; returns the number of
// delimiters. An empty line gives 0 and no field.
int SplitFields(const QString& line, const QString& delimiter, QStringList& fields);
// The trimmed field of the index (0 to 100); empty when the line has fewer fields.
QString GetFieldText(const QString& line, const QString& delimiter, int index);
double StrToFloatDefZero(const QString& text);
// The path of a special folder by the platform's number (5: documents); false when unknown.
bool GetSpecialFolderPath(int folder, QString& path);

enum class TNumericKind { Digits, DigitsBackspace, SignedInteger, Decimal, SignedDecimal };
// The key, or 0 when the filter drops it.
QChar FilterNumericKey(const QString& text, QChar key, TNumericKind kind, bool wholeTextSelected);

void PaintChart(QPainter& painter, const QRect& rect, int chartNumber);
void SaveChartMetafile(const QString& fileName);
bool ChartFileExists(const QString& fileName);

} // namespace print
