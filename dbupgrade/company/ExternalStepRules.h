#pragma once
// What the company steps from 3.0.0 on share: the data kind and edition that choose their
// external files, the walk over a step's script list (existence first, then the kind rule), the
// script frame around the external lines, and the company database for a step's own work.

#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "dbupgrade/runner/UpdateScript.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace dbupgrade {

// The data set being upgraded, as the file rules see it.
struct CompanyDataKind {
    int dataType = 0; // 1 法人, 2 個人, 3 医療法人
    int codeType = 0; // 個人: 1 一般, 2 不動産, 3 クリニック, 4 農業; else 1
    bool oem = false; // EditionFlag 1 or 2

    // 医療法人 with code type 1; "other data" is everything else.
    bool medical() const { return dataType == 3 && codeType == 1; }
};

// From AccInf (loaded when the data set was opened) and EditionFlag.
CompanyDataKind CurrentDataKind();

// One name of a script list and whether the step's rules take it for this data set.
struct ListedFile {
    QString name;
    bool chosen = true;
};

// "qmvup%02d.sql".
QString QmvupName(int number);

// When a numbered file of a list is taken.
enum class FileRule { Every, OtherOnly, MedicalOnly, Never };
bool RuleTakes(FileRule rule, const CompanyDataKind& kind);
// qmvup01.sql … in order, the n-th with the n-th rule.
QList<ListedFile> NumberedList(const QList<FileRule>& rules, const CompanyDataKind& kind);

// Steps from 7.0.3 on end with 18 when a listed name is missing; earlier ones pass it over.
bool MissingFileIsFatal(const core::TVersionTriple& version);

// The walk over a list in the sql sub-folder of the version: every name is first tested for
// existence (a missing one is passed over, or, when fatal, ends the walk: nullopt), then taken
// or passed over by its rule; a taken file gives its non-empty lines. The names taken are
// added to takenNames when given.
std::optional<QStringList> WalkScriptList(const core::TVersionTriple& version, const QList<ListedFile>& files,
                                          bool missingIsFatal, QStringList* takenNames = nullptr);

// The frame of a company step from 3.0.0 on: "SET NAMES SJIS_0208;" in 3.0.6, 3.0.7 and from
// 4.0.0 on; the MEMO form of the version.
UpdateScriptFrame ExternalStepFrame(const core::TVersionTriple& version);

// What a step writes besides the frame.
struct ExternalStepPlan {
    core::TVersionTriple version;
    QList<ListedFile> files;
    QStringList linesBefore; // before the external lines
    QStringList linesAfter;  // after them
};

// The script of the plan; nullopt when a listed file is missing and the step treats that as
// fatal (the step then ends with 18 without writing anything).
std::optional<UpdateScript> BuildExternalStepScript(const ExternalStepPlan& plan, QStringList* takenNames = nullptr);
// Builds, writes and runs it: 18 for a missing file, else the runner's result.
int RunExternalStep(const ExternalStepPlan& plan);

// The company database of the current data folder for a step's own work: connected on
// construction (host of SystemDef, folder not marked in use; core::Exception when it cannot be
// connected), closed again on destruction (without writing the data-information file or the
// list row). Queries made by query() are freed before the database is closed.
class CompanyDbWork {
public:
    CompanyDbWork();
    ~CompanyDbWork();
    CompanyDbWork(const CompanyDbWork&) = delete;
    CompanyDbWork& operator=(const CompanyDbWork&) = delete;

    // A new query on the company database ("ACCDAT").
    core::TIBSQL& query();
    core::TIBTransaction& transaction();

private:
    std::vector<std::unique_ptr<core::TIBSQL>> queries_;
};

// Runs one statement by itself on the query (parameter checking off).
void ExecStatement(core::TIBSQL& query, const QString& sql);

// Work after a successful script (the steps whose own work follows it): connects, runs the work
// in one transaction and commits it; any error rolls the whole work back and gives 19.
int RunWorkAfterScript(const std::function<void(CompanyDbWork&)>& work);

} // namespace dbupgrade
