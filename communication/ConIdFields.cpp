#include "communication/ConIdFields.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace communication {

TConIdFields AddConIdFields(QWidget* parent, QGridLayout& grid, int firstRow)
{
    TConIdFields f;
    f.id = new QLineEdit(parent);
    f.id->setInputMask(QStringLiteral("nnnn-nnnn-nnnn;_"));
    f.id->setAttribute(Qt::WA_InputMethodEnabled, false);
    f.password = new QLineEdit(parent);
    f.password->setMaxLength(6);
    f.password->setAttribute(Qt::WA_InputMethodEnabled, false);
    f.idLabel = new QLabel(QStringLiteral("通信 ＩＤ:"), parent);
    f.idRule = new QLabel(QStringLiteral("（英数半角１２桁）"), parent);
    f.idExample = new QLabel(QStringLiteral("例： abcd-1234-5678"), parent);
    f.passwordLabel = new QLabel(QStringLiteral("パスワード:"), parent);
    f.passwordRule = new QLabel(QStringLiteral("（英数半角６桁以内）"), parent);
    f.passwordExample = new QLabel(QStringLiteral("例： ABC123"), parent);
    grid.addWidget(f.idLabel, firstRow, 0);
    grid.addWidget(f.id, firstRow, 1);
    grid.addWidget(f.idRule, firstRow, 2);
    grid.addWidget(f.idExample, firstRow + 1, 1);
    grid.addWidget(f.passwordLabel, firstRow + 2, 0);
    grid.addWidget(f.password, firstRow + 2, 1);
    grid.addWidget(f.passwordRule, firstRow + 2, 2);
    grid.addWidget(f.passwordExample, firstRow + 3, 1);
    return f;
}

} // namespace communication
