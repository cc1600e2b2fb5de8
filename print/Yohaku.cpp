// The margin dialog.
#include "print/Yohaku.h"

#include "print/LibraryHelpers.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace print {

namespace {
int numberOf(const QLineEdit* edit) {
    bool ok = false;
    const int n = edit->text().trimmed().toInt(&ok);
    return ok ? n : 0;
}
} // namespace

Tfmyohaku::Tfmyohaku(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("設定"));
    auto* layout = new QVBoxLayout(this);
    auto edit = [&] {
        auto* e = new QLineEdit(QStringLiteral("0"), this);
        e->setMaxLength(3);
        e->setAlignment(Qt::AlignRight);
        e->setAttribute(Qt::WA_InputMethodEnabled, false);
        e->installEventFilter(this);
        connect(e, &QLineEdit::editingFinished, this, [this, e] { ED_TOPExit(e); });
        return e;
    };
    GroupBox2 = new QGroupBox(QStringLiteral("余白設定"), this);
    auto* g2 = new QFormLayout(GroupBox2);
    ED_TOP = edit();
    ED_LEFT = edit();
    g2->addRow(QStringLiteral("上下"), ED_TOP);
    g2->addRow(QStringLiteral("左右"), ED_LEFT);
    g2->addRow(new QLabel(QStringLiteral("逆方向はマイナス （max=100）"), GroupBox2));
    GroupBox3 = new QGroupBox(QStringLiteral("行間隔・文字間隔"), this);
    auto* g3 = new QFormLayout(GroupBox3);
    ED_VRATIO = edit();
    ED_HRATIO = edit();
    g3->addRow(QStringLiteral("縦補正"), ED_VRATIO);
    g3->addRow(QStringLiteral("横補正"), ED_HRATIO);
    g3->addRow(new QLabel(QStringLiteral("(1/10) ％ (max=50)"), GroupBox3));
    Button1 = new QPushButton(QStringLiteral("ＯＫ"), this);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    layout->addWidget(GroupBox2);
    layout->addWidget(GroupBox3);
    layout->addWidget(Button1);
}

void Tfmyohaku::SetTopMargin(int v) {
    if (v != top_)
        ED_TOP->setText(QString::number(qBound(-100, v, 100)));
    top_ = v;
}

void Tfmyohaku::SetLeftMargin(int v) {
    if (v != left_)
        ED_LEFT->setText(QString::number(qBound(-100, v, 100)));
    left_ = v;
}

void Tfmyohaku::SetVRatio(int v) {
    ED_VRATIO->setText(QString::number(v >= 950 && v <= 1050 ? v - 1000 : 0));
    vratio_ = v;
}

void Tfmyohaku::SetHRatio(int v) {
    ED_HRATIO->setText(QString::number(v >= 950 && v <= 1050 ? v - 1000 : 0));
    hratio_ = v;
}

void Tfmyohaku::ED_TOPExit(QLineEdit* edit) {
    const int bound = edit == ED_TOP || edit == ED_LEFT ? 100 : 50;
    const int n = numberOf(edit);
    if (n < -bound || n > bound)
        edit->setText(QString::number(qBound(-bound, n, bound)));
}

void Tfmyohaku::Button1Click() {
    for (QLineEdit* e : {ED_TOP, ED_LEFT, ED_VRATIO, ED_HRATIO})
        ED_TOPExit(e);
    top_ = numberOf(ED_TOP);
    left_ = numberOf(ED_LEFT);
    vratio_ = 1000 + numberOf(ED_VRATIO);
    hratio_ = 1000 + numberOf(ED_HRATIO);
    accept();
}

bool Tfmyohaku::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->text().isEmpty())
            return false;
        const QChar ch = key->key() == Qt::Key_Backspace ? QChar(8) : key->text().at(0);
        const bool whole = edit->selectedText() == edit->text() && !edit->text().isEmpty();
        if (FilterNumericKey(edit->text(), ch, TNumericKind::SignedInteger, whole).isNull())
            return true; // dropped
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace print
