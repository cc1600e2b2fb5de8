#pragma once
// The file and folder chooser: a place from a drop-down history of the places used before (an
// INI section "HIST1=…" to "HIST8=…", newest first) or from the browse button, and in the file
// modes a file name. Modes: 0 open a file, 1 save a file, 2 and 3 choose a folder.
//
// Use: create, set the public fields, Prepare(1), exec(), read ResultPath, free. The dialog
// keeps itself on close (KeepOnClose); the opener frees it. OK is refused while no place is
// chosen: a result path must never fall back to the root folder or to an empty folder.

#include "controls/forms/TBSDI.h"

#include <QStringList>

class QLabel;
class QPlainTextEdit;

namespace controls {

class TxComboBox;
class TxEdit;
class TxPlButton;

class TFileOperationBox : public TBSDI {
    Q_OBJECT
public:
    explicit TFileOperationBox(QWidget* owner = nullptr);

    qint32 FileMode = 0;
    bool UseHistory = false;
    QString HistFolder;
    QString HistFile;
    QString HistSection;
    QString Title;
    QString Message;
    QColor MessageColor;
    QString PlaceLabel;
    QString Folder;
    QString FileName;
    QString PlaceHint;
    QString FileNameHint;
    QString DefaultExt;
    QString FilterName;

    QString ResultPath;
    QStringList History;

    virtual void Prepare(int flag);
    virtual void LayoutControls();
    virtual void SetHints();
    void LoadHistory();
    void SaveHistory();
    void SelectPlace(const QString& folder);

    bool IsFileMode() const { return FileMode == 0 || FileMode == 1; }
    // The history file's path; empty when folder, file or section is missing (no history).
    QString HistoryPath() const;
    // Whether a place can be kept in the history and read back as the same place.
    static bool IsHistoryPlace(const QString& place);

    // The buttons' handlers.
    void BrowseClicked();
    void HistDeleteClicked();
    virtual void OkClicked();

    QWidget* pnlClient;
    QLabel* lblMain;
    QLabel* lblFileSelect;
    TxComboBox* cmbFileSelect;
    TxPlButton* btnSansyo;
    TxPlButton* btnHistDelete;
    QLabel* lblFileName;
    TxEdit* txtFileName;
    QWidget* pnlBottom;
    QPlainTextEdit* HintArea;
    TxPlButton* btnOK;
    TxPlButton* btnCancel;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The base OK: true when the input was accepted and ResultPath set.
    bool AcceptInput();
    QString SelectedPlace() const;
    void placePanels();

    int prepareFlag_ = 0;

private:
    void browseFile(bool save);
    void browseFolder();
};

} // namespace controls
