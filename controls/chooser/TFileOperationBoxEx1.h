#pragma once
// The chooser for restoring data: two radio buttons choose between a place the user picks
// (SelectKind 1) and the place of the automatic backups the system keeps (SelectKind 2, which
// the opener resolves itself, so OK needs no place then).

#include "controls/chooser/TFileOperationBox.h"

namespace controls {

class TxRadioButton;

class TFileOperationBoxEx1 : public TFileOperationBox {
    Q_OBJECT
public:
    explicit TFileOperationBoxEx1(QWidget* owner = nullptr);

    qint32 SelectKind = 1;

    void Prepare(int flag) override;
    void LayoutControls() override;
    void SetHints() override;
    void SetSelect1Caption(const QString& caption);
    void SetSelect2Caption(const QString& caption);
    // 1 or 2: checks the matching radio button and enables the place controls for 1 only.
    void SetSelectKind(int kind);
    void OkClicked() override;

    TxRadioButton* btnSelect1;
    TxRadioButton* btnSelect2;

private:
    void selectClicked();
};

} // namespace controls
