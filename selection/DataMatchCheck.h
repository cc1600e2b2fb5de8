#pragma once
// The checks before a data set is pasted or restored over an existing one: some pairs of
// consolidation kinds are refused outright (CheckKindPair), and otherwise the incoming data is
// compared with the data already in the target folder (CheckDataMatch) and the user goes on
// only after agreeing to the differences. The data selection, the shared-data selection and the
// restore of the data communication all apply these rules.
//
// TDataMatchCheck holds what the checks need of their surroundings: the owner of the boxes,
// the progress dialog to close before a box, the location mode, and seams (folder tests, the
// reading of the target's information, the detail box) that default to the data module and the
// real dialog and that tests replace.

#include "companydata/DataInfomationRec.h"
#include "controls/dialogs/TMessageBox.h"

#include <QDateTime>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

class QWidget;

namespace controls {
class TxAnimeProgressDialog;
}

namespace selection {

inline const QString kVerbPaste = QStringLiteral("貼り付け");
inline const QString kVerbRestore = QStringLiteral("復元");

// Whether pasting or restoring data of the source consolidation kind over data of the target
// kind is refused: 0 or 10 over 1 or 2, 1 over 2, 2 over 1.
bool IsForbiddenKindPair(quint8 sourceKind, quint8 targetKind);

// The lines of the refusal box, each with its leading and inner blanks.
QStringList ForbiddenPairLines();

// The difference lines of the comparison (empty: the two agree). standAlone: the location mode
// is 0, where restoring over consolidated data of another name deletes its distributed data.
QStringList DataMatchDetailLines(const QString& verb, const companydata::TDataInfomationRec& source,
                                 const companydata::TDataInfomationRec& target, bool standAlone);

// What a successful restore check takes over from the source information into the form's
// source record.
struct TDataMatchSource {
    QString Shougou;
    QDateTime Kishu; // invalid when the text is not a date
    QDateTime Kimatu;
    QString VerText;
    quint8 Gassan = 0;
};

class TDataMatchCheck {
public:
    TDataMatchCheck();

    QPointer<QWidget> Owner;                              // owner of the detail box
    QPointer<controls::TxAnimeProgressDialog> Progress;   // closed before a box when shown
    int ConnectMode = 0;                                  // location mode of the folder tests

    // Seams; defaults: TDM DExist / MkDir / FExist in ConnectMode, TDataInfomation
    // RefreshIniFile + ReadIni, controls::ShowMessageBox.
    std::function<bool(const QString& folder)> DirExists;
    std::function<bool(const QString& folder)> MakeDir;
    std::function<bool(const QString& file)> FileExists;
    std::function<void(const QString& folder, companydata::TDataInfomationRec& target)> ReadTargetInfo;
    std::function<int(const controls::TMessageInfoRec& info)> ShowDetailBox;

    // The detail lines of the last check (cleared at its start).
    QStringList DetailLines;
    // Filled by a successful CheckKindPair with the verb "復元".
    TDataMatchSource SourceRec;
    bool SourceRecSet = false;

    // 1 to go on, 0 to stop.
    int CheckKindPair(const QString& verb, const companydata::TDataInfomationRec& source, const QString& targetFolder);
    int CheckDataMatch(const QString& verb, const companydata::TDataInfomationRec& source,
                       const companydata::TDataInfomationRec& target);

private:
    void closeProgress();
};

} // namespace selection
