#pragma once
// The reader of the notes to the non-consolidated financial statements (個別注記表) that the
// accounting product keeps in KESSAN_CHUKIHYO_RENDO. The stored rows are placed against a
// built-in template of 179 note items keyed by XBRL-style element names; each value is
// formatted by its item's type. The export uses mode 2 (the stored items, each with the group
// items that enclose it, values in plain form); modes 0 and 1 format for display.

#include <QList>
#include <QString>
#include <QtGlobal>

#include <memory>

namespace core {
class TIBSQL;
}

namespace taxreturn {

// Value types of note items.
inline const QString kNoteTypeText = QStringLiteral("文字");
inline const QString kNoteTypeAmount = QStringLiteral("金額");
inline const QString kNoteTypeShares = QStringLiteral("株");
inline const QString kNoteTypeDate = QStringLiteral("日付");
inline const QString kNoteTypeRatio = QStringLiteral("割合");
inline const QString kNoteTypeGroup = QStringLiteral("－"); // a group without a value of its own

struct TChukihyoRendoRec {
    int Kind = 0;     // notes kind the item belongs to; 0 = every kind
    int RowNo = 0;    // position in the template, 0..178
    int Depth = 0;    // number of "-" in Id minus 1
    int Level = 0;    // nesting level of the item's element under the notes element, 0..3
    QString ParentId; // Id without its last "-n" part; empty for ID-0
    QString Id;       // ID-0, then one "-n" part per level
    QString Title;
    QString XbrlKey;  // element name in the file
    QString ValueType;
    QString Value;    // stored value; empty in the template
};
using TChukihyoRendoList = QList<TChukihyoRendoRec>;

// One stored row of KESSAN_CHUKIHYO_RENDO, in the read's order.
struct TChukihyoStoredRow {
    QString XbrlKey;
    QString Value;
};

// The built-in template, 179 items in RowNo order.
const TChukihyoRendoList& ChukihyoTemplate();

// The Id of the enclosing item: the Id without its last "-n" part; empty for ID-0.
QString NoteParentId(const QString& id);

class TChukihyoRendoIO {
public:
    // The statement is bound to the data module's company database and transaction.
    TChukihyoRendoIO();
    virtual ~TChukihyoRendoIO();

    TChukihyoRendoIO(const TChukihyoRendoIO&) = delete;
    TChukihyoRendoIO& operator=(const TChukihyoRendoIO&) = delete;

    quint8 RendoId = 1;     // notes kind
    quint8 NotesMode = 0;   // 0 whole template, 1 display of stored items, 2 export of stored items
    int Count = 0;          // filled items
    TChukihyoRendoList Items;
    quint8 EraDateFlag = 0; // mode 1: 1 writes dates in Western years

    // A copy of Items[i]; an empty record when i is outside the filled items.
    TChukihyoRendoRec GetNoteItem(int i) const;

    // Builds Items and Count for the notes kind and mode, reading the stored values.
    void LoadNotesList(int kind, int mode);

    // Reads the stored rows of RendoId and places them (mode 0: into the template's items;
    // modes 1 and 2: each matching item with the items that enclose it). Starts the company
    // transaction when it is not active and finishes what it started. A database error passes
    // on to the caller (the export must not report success without its notes); the list keeps
    // what was built before it.
    bool LoadValues();

    // Places one stored row as LoadValues does.
    void PlaceStoredRow(const TChukihyoStoredRow& row);

    // Appends the item after the items that enclose it that are not in the list yet. In the
    // export mode of kind 1 the chain reaches up to the item's first level-1 ancestor; an item
    // already in the list as an empty enclosing item takes the value instead.
    void AddWithParents(const TChukihyoRendoRec& item);

    // The value as text by NotesMode and ValueType; empty for an empty value.
    QString FormatValue(const TChukihyoRendoRec& item) const;

protected:
    // The stored rows of the kind, ordered by FROW_NO and FXBRL_KEY.
    virtual QList<TChukihyoStoredRow> ReadStoredRows(int rendoId);

private:
    bool Qualifies(const TChukihyoRendoRec& item) const;
    const TChukihyoRendoRec* QualifyingTemplateItemById(const QString& id) const;
    int IndexOfKey(const QString& xbrlKey) const;

    std::unique_ptr<core::TIBSQL> query_;
};

} // namespace taxreturn
