#include "dbupgrade/company/ExternalStepRules.h"

#include "core/Exception.h"
#include "core/dm/TDM.h"
#include "core/settings/QueryFactory.h"
#include "dbupgrade/runner/RunUpdateScript.h"
#include "dbupgrade/runner/UpdateFiles.h"
#include "dbupgrade/steps/StepRun.h"

#include <QDir>
#include <QFileInfo>

#include <tuple>

namespace dbupgrade {

namespace {

std::tuple<int, int, int> key(const core::TVersionTriple& v)
{
    return {v.Major, v.Minor1, v.Minor2};
}

} // namespace

CompanyDataKind CurrentDataKind()
{
    CompanyDataKind kind;
    kind.dataType = core::AccInf.DATATYPE;
    kind.codeType = core::AccInf.CODETYPE;
    kind.oem = core::EditionFlag == 1 || core::EditionFlag == 2;
    return kind;
}

QString QmvupName(int number)
{
    return QString::asprintf("qmvup%02d.sql", number);
}

bool RuleTakes(FileRule rule, const CompanyDataKind& kind)
{
    switch (rule) {
    case FileRule::Every:
        return true;
    case FileRule::OtherOnly:
        return !kind.medical();
    case FileRule::MedicalOnly:
        return kind.medical();
    case FileRule::Never:
        return false;
    }
    return false;
}

QList<ListedFile> NumberedList(const QList<FileRule>& rules, const CompanyDataKind& kind)
{
    QList<ListedFile> files;
    for (int i = 0; i < rules.size(); ++i)
        files << ListedFile{QmvupName(i + 1), RuleTakes(rules[i], kind)};
    return files;
}

bool MissingFileIsFatal(const core::TVersionTriple& version)
{
    return key(version) >= std::tuple<int, int, int>{7, 0, 3};
}

std::optional<QStringList> WalkScriptList(const core::TVersionTriple& version, const QList<ListedFile>& files,
                                          bool missingIsFatal, QStringList* takenNames)
{
    const QDir folder(ExternalScriptFolder(version));
    QStringList lines;
    QStringList taken;
    for (const ListedFile& file : files) {
        if (!QFileInfo(folder.filePath(file.name)).isFile()) {
            if (missingIsFatal)
                return std::nullopt;
            continue;
        }
        if (!file.chosen)
            continue;
        // A file that exists but cannot be read counts as missing.
        if (!ReadExternalScripts(version, {file.name}, missingIsFatal, lines))
            return std::nullopt;
        taken << file.name;
    }
    if (takenNames)
        *takenNames << taken;
    return lines;
}

UpdateScriptFrame ExternalStepFrame(const core::TVersionTriple& version)
{
    UpdateScriptFrame frame;
    frame.database = StepDatabase::Company;
    frame.version = version;
    const auto v = key(version);
    frame.setNames = v >= std::tuple<int, int, int>{4, 0, 0} || v == std::tuple<int, int, int>{3, 0, 6} ||
                     v == std::tuple<int, int, int>{3, 0, 7};
    if (v >= std::tuple<int, int, int>{11, 0, 0})
        frame.memo = MemoForm::Long127Trimmed;
    else if (v == std::tuple<int, int, int>{10, 0, 5})
        frame.memo = MemoForm::Long127;
    else if (v > std::tuple<int, int, int>{10, 0, 0})
        frame.memo = MemoForm::Long;
    else
        frame.memo = MemoForm::Short;
    return frame;
}

std::optional<UpdateScript> BuildExternalStepScript(const ExternalStepPlan& plan, QStringList* takenNames)
{
    const std::optional<QStringList> external =
        WalkScriptList(plan.version, plan.files, MissingFileIsFatal(plan.version), takenNames);
    if (!external)
        return std::nullopt;
    UpdateScript script(ExternalStepFrame(plan.version));
    script.add(plan.linesBefore);
    script.add(*external);
    script.add(plan.linesAfter);
    return script;
}

int RunExternalStep(const ExternalStepPlan& plan)
{
    const std::optional<UpdateScript> script = BuildExternalStepScript(plan);
    if (!script)
        return kStepFileMissing;
    return WriteAndRunScript(*script);
}

CompanyDbWork::CompanyDbWork()
{
    core::TDM& dm = core::RequireDM();
    if (!dm.fnAccDatConnected(core::SystemDef.HOSTNAME, core::SystemDef.DataFolder, 0)) {
        dm.AccDatDisconnect(core::SystemDef.DataFolder, 0, 0);
        throw core::Exception(QStringLiteral(u"会計データに接続できません。"));
    }
}

CompanyDbWork::~CompanyDbWork()
{
    queries_.clear();
    core::TDM& dm = core::RequireDM();
    if (dm.IBTransactionDAT.inTransaction()) {
        try {
            dm.IBTransactionDAT.rollback();
        } catch (...) {
        }
    }
    dm.AccDatDisconnect(core::SystemDef.DataFolder, 0, 0);
}

core::TIBSQL& CompanyDbWork::query()
{
    std::unique_ptr<core::TIBSQL> made = core::CreateIBSQL(QStringLiteral("ACCDAT"), 0);
    if (!made)
        throw core::Exception(QStringLiteral(u"会計データに接続できません。"));
    queries_.push_back(std::move(made));
    return *queries_.back();
}

core::TIBTransaction& CompanyDbWork::transaction()
{
    return core::RequireDM().IBTransactionDAT;
}

void ExecStatement(core::TIBSQL& query, const QString& sql)
{
    query.close();
    query.freeHandle();
    query.setParamCheck(false);
    query.sql().clear();
    query.sql() << sql;
    query.execQuery();
    query.close();
}

int RunWorkAfterScript(const std::function<void(CompanyDbWork&)>& work)
{
    try {
        CompanyDbWork db;
        core::TransactionScope scope(db.transaction());
        work(db);
        scope.commit();
        return kStepDone;
    } catch (const std::exception&) {
        // Silent: the run shows the step as failed and restores its backup.
        return kStepOwnWorkFailed;
    }
}

} // namespace dbupgrade
