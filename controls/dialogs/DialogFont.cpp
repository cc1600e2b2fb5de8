#include "controls/dialogs/DialogFont.h"

#include "controls/forms/MainForm.h"

#include <QApplication>

namespace controls {

QFont DialogFont(int pixelHeight) {
    QFont font = QApplication::font();
    // Noto Sans CJK JP is the font scripts/install-deps installs; the generic families only
    // help on a machine without it.
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("sans-serif")});
    font.setPixelSize(pixelHeight);
    return font;
}

QWidget* DialogOwner() {
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return MainForm();
}

} // namespace controls
