#pragma once
// The pick list of the equity page: the tax-return product's 26 equity items ("Kamoku") or its
// 15 change reasons ("Jiyuu"), one of which the operator assigns to a line of the company.
// The opener reads ChosenName and ChosenIndex after an OK result (core::mrOk).

#include "controls/forms/TBSDI.h"

#include <QString>
#include <QStringList>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace taxlink {

class TJiyuuSentakuDialog : public controls::TBSDI {
public:
    // lineName: the company's line the choice is for; mode: "Kamoku" or "Jiyuu" (any other
    // word shows the reasons, as "Jiyuu").
    TJiyuuSentakuDialog(QWidget* owner, const QString& lineName, const QString& mode);

    // Selects the first item captioned exactly name and scrolls it to the top; an empty name
    // selects nothing.
    void SelectByName(const QString& name);
    // With a selected item: takes it and closes with OK. Without one: asks whether to close,
    // and closes with Cancel on Yes.
    void btnOKClick();
    void ListView1DblClick() { btnOKClick(); }

    QString ChosenName;
    int ChosenIndex = -1;

    QString KindWord;      // "勘定科目" or "変動事由", for the messages
    QStringList NameList;  // "name=index", one per shown name

    QLabel* Label1 = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

private:
    int IndexOfChosen(const QString& name) const;
};

} // namespace taxlink
