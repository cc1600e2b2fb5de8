#include "controls/edits/TxMaskEdit.h"

#include "controls/keys/KeyNavigation.h"

#include <QKeyEvent>

namespace controls {

QString QtInputMask(const QString& editMask) {
    const QStringList fields = editMask.split(u';');
    const QString mask = fields.value(0);
    QString out;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask.at(i);
        switch (c.unicode()) {
        case 'L': out += u'A'; break; // letter, required
        case 'l': out += u'a'; break; // letter, optional
        case 'A': out += u'N'; break; // letter or digit, required
        case 'a': out += u'n'; break; // letter or digit, optional
        case 'C': out += u'X'; break; // any character, required
        case 'c': out += u'x'; break; // any character, optional
        case '0': out += u'9'; break; // digit, required
        case '9': out += u'0'; break; // digit, optional
        case '#': out += u'#'; break; // digit or sign, optional
        case '>':
        case '<': out += c; break;    // upper or lower case from here on
        case '!': break;              // blanks kept at the end instead of the start: no Qt form
        case '\\':
            if (i + 1 < mask.size())
                out += u'\\' + mask.at(++i);
            break;
        default: {
            // A literal; escape it where Qt would read it as a mask character.
            static const QString qtMeta = QStringLiteral("AaNnXx9D0d#HhBb><!\\{}[]");
            if (qtMeta.contains(c))
                out += u'\\';
            out += c;
        }
        }
    }
    const QString blank = fields.size() >= 3 && !fields.at(2).isEmpty() ? fields.at(2).left(1) : QStringLiteral("_");
    return out + u';' + blank;
}

TxMaskEdit::TxMaskEdit(QWidget* parent) : QLineEdit(parent) {}

void TxMaskEdit::SetEditMask(const QString& editMask) {
    editMask_ = editMask;
    setInputMask(editMask.isEmpty() ? QString() : QtInputMask(editMask));
}

void TxMaskEdit::keyPressEvent(QKeyEvent* event) {
    if (handleSimpleKeys(this, event, keyStyles_, OnKeyDown, OnKeyPress)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace controls
