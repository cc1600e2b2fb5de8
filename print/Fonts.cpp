// Face mapping of the print library.
#include "print/Fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace print {

namespace {

bool familyInstalled(const QString& family) {
    if (!QGuiApplication::instance())
        return false;
    static const QStringList families = QFontDatabase::families();
    for (const QString& f : families)
        if (f.compare(family, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString firstInstalled(std::initializer_list<const char*> families) {
    for (const char* f : families)
        if (familyInstalled(QString::fromUtf8(f)))
            return QString::fromUtf8(f);
    return QString::fromUtf8(*families.begin());
}

bool isOcrName(const QString& face) {
    return face.compare(u"OCR-B", Qt::CaseInsensitive) == 0 || face.compare(u"OCRB", Qt::CaseInsensitive) == 0;
}

} // namespace

TFaceChoice ResolveFace(const QString& face) {
    if (face == u"ＭＳ 明朝" || face.isEmpty())
        return {firstInstalled({"IPAMincho", "Noto Serif CJK JP", "Noto Sans Mono CJK JP"}), {}};
    if (face == u"ＭＳ ゴシック")
        return {firstInstalled({"IPAGothic", "Noto Sans Mono CJK JP", "Noto Sans CJK JP"}), {}};
    if (face == u"ＭＳ Ｐ明朝")
        return {firstInstalled({"IPAPMincho", "Noto Serif CJK JP", "Noto Sans CJK JP"}), {}};
    if (face == u"ＭＳ Ｐゴシック")
        return {firstInstalled({"IPAPGothic", "Noto Sans CJK JP"}), {}};
    if (isOcrName(face)) {
        if (familyInstalled(QStringLiteral("OCR B")))
            return {QStringLiteral("OCR B"), QStringLiteral("Regular")};
        return ResolveFace(QStringLiteral("ＭＳ ゴシック"));
    }
    if (familyInstalled(face))
        return {face, {}};
    if (face == u"JAN") // no bar-code face installed: the digits in the Gothic face
        return ResolveFace(QStringLiteral("ＭＳ ゴシック"));
    return ResolveFace(QString());
}

bool FontInstalled(const QString& face) {
    if (face == u"ＭＳ 明朝" || face == u"ＭＳ ゴシック" || face == u"ＭＳ Ｐ明朝" || face == u"ＭＳ Ｐゴシック")
        return true;
    if (isOcrName(face))
        return familyInstalled(QStringLiteral("OCR B"));
    return familyInstalled(face);
}

QString RecordFace(const QString& fontField) {
    if (fontField.isEmpty())
        return QStringLiteral("ＭＳ 明朝");
    if (isOcrName(fontField))
        return FontInstalled(fontField) ? fontField : QStringLiteral("ＭＳ ゴシック");
    return fontField;
}

QFont MakeFont(const QString& face, int pixelHeight) {
    const TFaceChoice choice = ResolveFace(face);
    QFont font(choice.Family);
    if (!choice.Style.isEmpty())
        font.setStyleName(choice.Style);
    font.setPixelSize(qMax(1, pixelHeight));
    font.setStyleStrategy(QFont::PreferOutline);
    font.setKerning(false);
    return font;
}

} // namespace print
