#pragma once
// The data places of the server connection modes: up to 100 folders on the data server, kept
// in DATAPLACEMAN of the system database. Place 0 is the standard place (the system folder);
// places 1-99 are the system folder followed by a two-digit number; a place is in use when it
// has a name.
//
// TDataPlaceBox ("データの場所の設定") is the dialog in which the operator names, renames,
// removes and orders the places; the data selection also keeps one instance as the holder of
// the place list and asks it the lookups below. Every change is stored at once.

#include "controls/forms/TBSDI.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>

namespace core {
class TDM;
}

namespace controls {
class TxGrid;
class TxPlButton;
class TInputDlgBox;
}

namespace selection {

// Change kinds of a place entry.
enum : qint32 { kPlaceUnchanged = 0, kPlaceNamed = 1, kPlaceChanged = 2, kPlaceRemoved = 9 };

struct TDataPlaceRec {
    qint32 REC = 0;
    qint32 ChangeKind = kPlaceUnchanged;
    qint32 ORDERKBN = 0;
    QString PATH;
    QString NAME;
    QString Yobi; // cleared, not used
};
using TDataPlaceList = QList<TDataPlaceRec>;

// Reads the places (all, or only the named ones) ordered by ORDERKBN, REC, filling an empty
// DATAPLACEMAN with its 100 rows first. One system-database transaction, started and committed
// only when none is active. False on an error, with what was read so far.
bool ReadDataPlaces(core::TDM& dm, bool onlyNamed, TDataPlaceList& list);

// Stores every changed entry (name and order; a newly named place also gets its registry rows
// through SP_DATALIST_INSERT with maxCount rows; a removed one loses its DATALIST_EX rows) and
// sets the change kinds back to 0. On an error the transaction (when started here) is rolled
// back and the error raised again.
void SaveDataPlaces(core::TDM& dm, TDataPlaceList& list, int maxCount);

// Whether a registry row of the place names a folder that exists; a failing query counts as in
// use.
bool IsDataPlaceInUse(core::TDM& dm, qint32 rec, const std::function<bool(const QString&)>& dirExists);

// Moves entry `row` one place up (delta -1) or down (+1); entries whose position changed get
// ORDERKBN := their new 1-based position and change kind 2. False when it cannot move.
bool MoveDataPlace(TDataPlaceList& list, int row, int delta);

// The name the standard place gets when the table is filled: its path, or "標準の場所" when
// the path is longer than 40 CP932 bytes.
QString StandardPlaceName(const QString& sysDir);

// Function-key captions of the dialog for the current row (-1: none).
struct TDataPlaceKeys {
    QString F2, F3, F5;
    bool UpEnabled = false;
    bool DownEnabled = false;
};
TDataPlaceKeys DataPlaceKeyCaptions(const TDataPlaceList& list, int row);

class TDataPlaceBox : public controls::TBSDI {
    Q_OBJECT
public:
    explicit TDataPlaceBox(QWidget* owner = nullptr);
    ~TDataPlaceBox() override;

    // Reads all places, fills the grid and selects the operator's current place.
    void Prepare(int flag);

    // Reads the named places and returns their names, each followed by "\r".
    QString GetPlaceNames();
    // Lookups on the list as last read; -1 or empty outside it.
    qint32 GetPlaceRec(int index) const;
    QString GetPlacePath(int index) const;
    int IndexOfPlaceRec(qint32 rec) const;
    QString GetPlacePathByRec(qint32 rec) const;

    bool ReadPlaces(bool onlyNamed);
    void SavePlaces();
    void SetFKeyCaptions();

    // Key handlers (each does nothing while its caption is the bare key text).
    void F2Click(); // new name
    void F3Click(); // rename
    void F5Click(); // remove
    void MoveUpClick();
    void MoveDownClick();

    // Seams; defaults: TDM DExist / MkDir in the connection mode, and the input box.
    std::function<bool(const QString&)> DirExists;
    std::function<bool(const QString&)> MakeDir;
    std::function<bool(const QString& caption, const QString& prompt, const QString& hint, QString& value)> AskName;

    TDataPlaceList PlaceList;

    controls::TxGrid* PerfectGrid1;
    controls::TxPlButton* btnOK;
    controls::TxPlButton* btnCancel;
    controls::TxPlButton* F1;
    controls::TxPlButton* F2;
    controls::TxPlButton* F3;
    controls::TxPlButton* F5;
    controls::TxPlButton* F6;
    controls::TxPlButton* F7;

protected:
    void showEvent(QShowEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void fillGrid();
    int currentRow() const;
    void setCurrentRow(int row);
    bool askName(const QString& caption, const QString& prompt, const QString& hint, QString& value);
    void nameChanged(int row, const QString& name, qint32 changeKind);
};

} // namespace selection
