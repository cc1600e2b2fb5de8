// The library's hint window.
#include "print/BigHintWindow.h"

#include "print/Fonts.h"

#include <QApplication>
#include <QToolTip>

namespace print {

QFont TBigHintWindow::HintFont() {
    QFont font;
    font.setFamilies({QStringLiteral("System"), ResolveFace(QStringLiteral("ＭＳ ゴシック")).Family});
    font.setPixelSize(16);
    return font;
}

void TBigHintWindow::Install() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    QToolTip::hideText();
    QToolTip::setFont(HintFont());
}

} // namespace print
