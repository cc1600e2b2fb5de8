#pragma once
// Printing a print-data file over its form on the platform printer: the print entry, the entry
// for one page, the print dialog's holder and the progress dialog that runs the page loop.

#include "print/PgwDef.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTimer;

namespace print {

// -1 when the job went to the printer and ended normally; 0 when a check failed, the print
// dialog was dismissed, the job was cancelled or failed.
qint16 PrintFile(TPGWDEF& def);
// Prints one page without the print dialog.
void PrintCurrentPage(TPGWDEF& def, int page, int orientation);

// The print dialog's page range and choices.
struct TPrintRange {
    int MinPage = 1;
    int MaxPage = 1;
    int FromPage = 1;
    int ToPage = 1;
    bool PageNumbers = false; // the user asked for a range
    bool Collate = false;
};

// Holds the platform print dialog. The dialog runs through RunDialog, which tests replace.
class TStartPrintDlg {
public:
    TPrintRange Range;
    // Shows the dialog on the printer; false when dismissed.
    bool Execute();
    static inline std::function<bool(TPrintRange&)> RunDialog;
};

// The progress dialog: "印刷中です。", the page label and Cancel. Its timer starts the loop.
class TNowPrintingdlg : public QDialog {
    Q_OBJECT
public:
    explicit TNowPrintingdlg(TStartPrintDlg& start, QWidget* parent = nullptr);

    QLabel* PrintMessage = nullptr;
    QLabel* PageMessage = nullptr;
    QPushButton* CancelButton = nullptr;
    QTimer* Timer = nullptr;

    void PrintStart();
    void CancelButtonClick();

    // Called after every printed page with the printer's page number (tests press Cancel here).
    static inline std::function<void(TNowPrintingdlg&, int)> AfterPage;

private:
    void runLoop();
    TStartPrintDlg& start_;
};

// The printing state shared with the preview.
extern bool PrintCancelled;

} // namespace print
