#pragma once
// The general message box: an icon by kind, up to ten coloured lines (a line with a link opens
// it when clicked), up to three buttons with default or given captions, and an optional
// agreement check box that may gate the first button. The box sizes itself to its lines.
// Esc (on release) closes it with Cancel; Ctrl+C copies caption and lines to the clipboard.

#include "controls/dialogs/Message2Info.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

namespace controls {

class TxCheckBox;
class WindowKeyPreview;

class TMessageBox2 : public QDialog {
    Q_OBJECT
public:
    explicit TMessageBox2(QWidget* owner = nullptr);

    // Takes a copy of the record (a catalogue number replaces its texts) and lays the box out.
    void SetMessageInfo(const TMessage2InfoRec& info);
    // With a number other than 0: the catalogue entry in place of the box's texts.
    void SetMessageNo(qint32 msgNo);
    // The step before showing: the layout once more, then the agreement box.
    void Prepare();

    const TMessage2InfoRec& MessageInfo() const { return info_; }
    // The text Ctrl+C puts on the clipboard.
    QString CopyText() const;
    // Scales a design size at 96 pixels per inch to the form.
    int S(int designPixels) const;

    QWidget* pnlClient;
    QLabel* Image1;
    std::array<QLabel*, 10> Labels;
    QWidget* pnlAgree;
    TxCheckBox* btnAgree;
    QWidget* pnlBottom;
    std::array<QPushButton*, 3> Buttons;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutBox();
    void layoutButtons();
    void placePanels(int clientWidth, int messageHeight);
    bool previewKey(QKeyEvent* event);
    void openLink(int line);
    void agreeChanged();

    TMessage2InfoRec info_;
    std::array<int, 3> buttonResults_{};
    int messageHeight_ = 0;
    WindowKeyPreview* keyPreview_;
};

// Shows the record's box modally over the active window and returns the modal result;
// AgreeChecked receives the check box's final state.
int ShowMessageBox2(TMessage2InfoRec& info);

} // namespace controls
