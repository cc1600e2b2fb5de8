#pragma once
// A drop-down list whose items are ticked in a check list: the closed control shows the number
// of ticked items ("%d件選択"), or the ticked items themselves, or EmptyValue when nothing is
// ticked. A pop-up menu in the list ticks all or no items.
//
// The ticked items are kept as an ordered list of item indexes (in ticking order; select-all
// gives list order; with MultiSelect off a tick starts the list afresh), so items with equal
// texts or with commas in them are counted and shown correctly; the display text and the
// count are derived from it.

#include "controls/keys/ControlEvents.h"

#include <QFrame>
#include <QList>
#include <QStringList>

class QAction;
class QLabel;
class QListWidget;
class QMenu;

namespace controls {

enum TCHBDispStyle { dsKensu, dsItems };
enum TCHBQuoteStyle { qsNone, qsSingle, qsDouble };
enum class TCHBArrowState { Normal, Hot, Press, Gray };

class TxCheckedComboBox : public QFrame {
    Q_OBJECT
public:
    explicit TxCheckedComboBox(QWidget* parent = nullptr);
    ~TxCheckedComboBox() override;

    QStringList Items() const { return items_; }
    // Any change of the items reloads the list, all unticked.
    void SetItems(const QStringList& items);
    QString CapSelectAll() const { return capSelectAll_; }
    void SetCapSelectAll(const QString& caption);
    QString CapDeSelectAll() const { return capDeSelectAll_; }
    void SetCapDeSelectAll(const QString& caption);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool on);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    int DropDownLines() const { return dropDownLines_; }
    void SetDropDownLines(int lines); // 1 to 20; others are refused
    int DropDownWidth() const { return dropDownWidth_; }
    void SetDropDownWidth(int pixels) { dropDownWidth_ = pixels; }
    QString EmptyValue() const { return emptyValue_; }
    void SetEmptyValue(const QString& text);
    TCHBDispStyle DispStyle() const { return dispStyle_; }
    void SetDispStyle(TCHBDispStyle style);
    QString KensuValueFormat() const { return kensuValueFormat_; }
    void SetKensuValueFormat(const QString& format);
    bool SortDisplay() const { return sortDisplay_; }
    void SetSortDisplay(bool on);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool on);
    QString Version() const { return QStringLiteral("1.0.3"); }
    // Kept with the control; nothing depends on them.
    TCHBQuoteStyle QuoteStyle() const { return quoteStyle_; }
    void SetQuoteStyle(TCHBQuoteStyle style) { quoteStyle_ = style; }
    bool KeyUse() const { return keyUse_; }
    void SetKeyUse(bool on) { keyUse_ = on; }
    int KeyLength() const { return keyLength_; }
    void SetKeyLength(int length) { keyLength_ = length; }
    QString KeyDelimiter() const { return keyDelimiter_; }
    void SetKeyDelimiter(const QString& delimiter) { keyDelimiter_ = delimiter; }

    // The ticked items: indexes in ticking order, their count, the text shown.
    QList<int> CheckedIndexes() const { return ticked_; }
    int CheckedCount() const { return int(ticked_.size()); }
    bool Checked(int index) const { return ticked_.contains(index); }
    QString DisplayText() const;

    // A tick or untick in the list, as the user's click makes it.
    void ClickCheck(int index, bool ticked);
    void SelectAll();
    void DeSelectAll();

    // The drop-down list.
    int DropDownRows() const;
    void DropDown();
    void CloseUp();
    bool DroppedDown() const;
    TCHBArrowState ArrowState() const { return arrowState_; }
    QListWidget* CheckList() const { return list_; }
    QAction* SelectAllAction() const { return selectAllAction_; }
    QAction* DeSelectAllAction() const { return deSelectAllAction_; }

    TNotifyEvent OnChange;
    TNotifyEvent OnClickCheck;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnPanelClick;
    TNotifyEvent OnButtonClick;
    TNotifyEvent OnClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void reloadList();
    void refreshDisplay();
    void changed();
    void setArrowState(TCHBArrowState state);
    void applyLook();
    void fitHeightToFont();

    QStringList items_;
    QString capSelectAll_ = QStringLiteral("&全て選択");
    QString capDeSelectAll_ = QStringLiteral("&選択解除");
    bool sorted_ = false;
    int columns_ = 0;
    int dropDownLines_ = 15;
    int dropDownWidth_ = 120;
    QString emptyValue_ = QStringLiteral("未選択");
    TCHBDispStyle dispStyle_ = dsKensu;
    QString kensuValueFormat_ = QStringLiteral("%d件選択");
    bool sortDisplay_ = false;
    bool multiSelect_ = true;
    TCHBQuoteStyle quoteStyle_ = qsNone;
    bool keyUse_ = false;
    int keyLength_ = 0;
    QString keyDelimiter_ = QStringLiteral(":");

    QList<int> ticked_;
    bool fillingList_ = false;
    bool arrowClickConsumed_ = false;
    TCHBArrowState arrowState_ = TCHBArrowState::Normal;

    QLabel* textPart_;
    QWidget* arrow_;
    QFrame* dropDown_;
    QListWidget* list_;
    QMenu* menu_;
    QAction* selectAllAction_;
    QAction* deSelectAllAction_;
};

} // namespace controls
