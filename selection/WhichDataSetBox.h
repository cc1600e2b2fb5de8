#pragma once
// TWhichDataSetBox ("データの持ち出し／持ち帰り"): asks whether the current row's data set is
// to be taken out to this computer or brought back from it. The dialog only records the
// choice in BringBack; the data selection does the work.
#include "controls/forms/TBSDI.h"

class QPushButton;
class QRadioButton;

namespace selection {

class TWhichDataSetBox : public controls::TBSDI {
    Q_OBJECT
public:
    explicit TWhichDataSetBox(QWidget* owner = nullptr);

    int TakenOut = 0;  // in: 1 when the row's data set is taken out
    int BringBack = 0; // in/out: 0 take out, 1 bring back
    int PrepareFlag = 0;

    // Hints, which choices can be made and which one is checked.
    void Prepare(int flag);
    // OK: BringBack from the checked choice; closes with OK.
    void OkClicked();

    QRadioButton* btnMochidashi = nullptr;
    QRadioButton* btnMochikaeri = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace selection
