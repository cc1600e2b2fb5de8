#pragma once
// "帳票色の選択": the four report colours (frame lines, rules, heading and total shading) of one
// report or of the operator's environment, with the colour dialog's custom colours kept per
// operator under "Pallet_CustomColor".

#include "controls/forms/TBSDI.h"

#include <array>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;

namespace print {

class TPrnColorSetBox : public controls::TBSDI {
    Q_OBJECT
public:
    explicit TPrnColorSetBox(QWidget* owner = nullptr);

    qint32 LineColor1 = 0;
    qint32 LineColor2 = 0;
    qint32 NetColor1 = 0;
    qint32 NetColor2 = 0;
    int PerReport = 0; // 1: the colours belong to one report
    int PrepareMode = 0;
    QString CustomColorsText;

    std::array<QLabel*, 4> Panels{};      // pnlLineColor1, pnlLineColor2, pnlNetColor1, pnlNetColor2
    std::array<QPushButton*, 4> Buttons{}; // the "変更" buttons, tags 0 to 3
    QLabel* lblKankyoColor = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    void Prepare(int mode);
    // The sixteen custom colours the colour dialog starts with (white when none are stored).
    QStringList CustomColours() const;
    void btnLineColor1Click(int row);
    void lblKankyoColorClick();
    void btnOKClick();

    // The colour dialog, replaceable by tests: the chosen colour, or nothing when cancelled.
    static inline std::function<std::optional<qint32>(qint32 initial)> ChooseColour;

public slots:
    void done(int result) override;

private:
    void showColours();
    std::array<qint32, 4> panelColours_{};
};

} // namespace print
