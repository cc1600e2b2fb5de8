#pragma once
// The common print dialog of the product line's reports: black and white or colour with the
// report colours, the start page, two-sided margins, and print, preview or copy. Its choices are
// kept per operator and report in STYLECOLOR. List-print dialogs derive from it and override
// Prepare, LayoutControls, SetHints and HozonFukugen, calling the base.

#include "controls/forms/TBSDI.h"
#include "print/DefaultPrintRec.h"

#include <QStringList>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace controls {
class TxPlButton;
}

namespace print {

class TPrintDlgBox : public controls::TBSDI {
    Q_OBJECT
public:
    explicit TPrintDlgBox(QWidget* owner = nullptr);

    // The defaults: colour 0, start page 1, font 0, sizes 16/9/10, the environment colours.
    static void InitDefaultPrintRec(TDefaultPrintRec& rec);

    // Set by the caller or a subclass before Prepare.
    TDefaultPrintRec* PrintRec = nullptr;
    bool StyleColorSw = false;
    QString DlgCaption;
    QString DlgMessage;
    QColor DlgMessageColor;
    bool ColorSw = false;
    bool StartPageSw = false;
    bool BothSw = false;
    bool PreviewSw = false;
    bool CopySw = false;

    // Set by the dialog.
    int PrepareMode = 0;
    int PrintAction = 0; // 0 none, 1 print, 2 preview, 3 copy
    QString StyleKeyPrefix = QStringLiteral("020-");
    QString StyleName;
    QStringList OptionList;

    QLabel* lblMain = nullptr;
    QGroupBox* grpColor = nullptr;
    QRadioButton* btnMono = nullptr;
    QRadioButton* btnColor = nullptr;
    QLabel* lblColor = nullptr;
    controls::TxPlButton* btnColorSelect = nullptr;
    QLabel* lblStartPage = nullptr;
    QLineEdit* txtStartPage = nullptr;
    QCheckBox* chkBoth = nullptr;
    QPlainTextEdit* HintArea = nullptr;
    controls::TxPlButton* btnPreview = nullptr;
    controls::TxPlButton* btnCopy = nullptr;
    controls::TxPlButton* btnOK = nullptr;
    controls::TxPlButton* btnCancel = nullptr;

    virtual void Prepare(int mode);
    virtual void LayoutControls();
    virtual void SetHints();
    virtual void HozonFukugen(const QString& what);

    void GetStyleColorRec();
    void PutStyleColorRec();

    // OK, preview and copy: the record from the controls, the options saved, the action set.
    void btnOKClick(controls::TxPlButton* sender);
    void btnCancelClick();
    void btnColorSelectClick();

public slots:
    void done(int result) override;

private:
    void computeStyleName();
};

// Black-and-white printing: see Pagewerk.h (SetMonoPrintColors).

} // namespace print
