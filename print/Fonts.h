#pragma once
// The faces that print-data files name, mapped to the fonts installed here. The product line's
// Windows faces become the IPA faces (fixed pitch with half-width Latin for the two plain faces,
// proportional for the "Ｐ" faces), "OCR-B"/"OCRB" the installed "OCR B" face, and the Noto CJK
// faces stand in only when the IPA faces are missing.

#include <QFont>
#include <QString>

namespace print {

// The installed family (and style, for OCR B) a face name of a record draws with. "JAN" without
// an installed bar-code face of that name draws its digits in the Gothic face.
struct TFaceChoice {
    QString Family;
    QString Style; // empty: Qt's choice
};
TFaceChoice ResolveFace(const QString& face);

// Whether a face name is available: an installed family of that name (case-insensitive), or a
// Windows face this library maps to an installed one.
bool FontInstalled(const QString& face);

// The face of a record's font field: empty means "ＭＳ 明朝"; "OCR-B" the OCR face when
// installed, else "OCRB", else "ＭＳ ゴシック".
QString RecordFace(const QString& fontField);

// A font of the face at the pixel height with the style letters' weight and decorations.
QFont MakeFont(const QString& face, int pixelHeight);

} // namespace print
