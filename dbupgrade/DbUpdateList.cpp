#include "dbupgrade/DbUpdateList.h"

#include "core/EIBError.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/FbAccessError.h"
#include "core/errors/ExceptionText.h"

#include <exception>

namespace dbupgrade {
namespace {

const QString kVersionFailedMessage = QStringLiteral(u"データベースバージョンの取得に失敗しました。");

// True when the step is of a newer version than the database.
bool isNewer(const TDbUpdateListRec& step, const core::TVersionTriple& current)
{
    if (step.Major != current.Major)
        return step.Major > current.Major;
    if (step.Minor1 != current.Minor1)
        return step.Minor1 > current.Minor1;
    return step.Minor2 > current.Minor2;
}

// Whether a company database of version c can be used by a program of version p.
qint32 companyCompatibility(const core::TVersionTriple& c, const core::TVersionTriple& p)
{
    if (c.Major < p.Major)
        return 1;
    if (c.Major == p.Major && c.Minor1 < p.Minor1)
        return 1;
    if (c.Major == p.Major && c.Minor1 == p.Minor1)
        return c.Minor2 <= p.Minor2 ? 1 : 2;
    return 0;
}

// Commits at the end of the version read, also after a failure; a commit that fails in turn
// leaves the rollback to the transaction's destructor.
void commitQuietly(core::TIBTransaction& transaction)
{
    try {
        if (transaction.inTransaction())
            transaction.commit();
    } catch (const std::exception&) {
    }
}

} // namespace

TDbUpdateList::TDbUpdateList() : TDbUpdateList(StepTextContext{core::EditionFlag, core::AppInfo.AppTitle}) {}

TDbUpdateList::TDbUpdateList(const StepTextContext& context)
    : SystemSteps(BuildSystemSteps(context)), DataSteps(BuildDataSteps(context))
{
}

core::TIBDatabase& TDbUpdateList::databaseOfKind() const
{
    if (UpdateKind == kUpdateSystem)
        return SystemDatabase ? *SystemDatabase : core::RequireDM().IBDatabaseDEF;
    return CompanyDatabase ? *CompanyDatabase : core::RequireDM().IBDatabaseDAT;
}

void TDbUpdateList::SetDbVersion()
{
    CurrentVersion = {};
    const bool system = UpdateKind == kUpdateSystem;

    // A transaction of its own, so that the read never commits work of another owner.
    core::TIBTransaction transaction;
    transaction.params() = QStringList{QStringLiteral("read_committed"), QStringLiteral("rec_version"),
                                       QStringLiteral("nowait")};
    try {
        core::TIBDatabase& database = databaseOfKind();
        transaction.setDefaultDatabase(&database);
        if (!transaction.inTransaction())
            transaction.startTransaction();
        core::TIBSQL query(&database, &transaction);
        query.sql() << (system ? QStringLiteral("SELECT MAJOR,MINOR1 AS MINOR,MINOR2 AS REV FROM VERSION")
                               : QStringLiteral("SELECT MAJOR,MINOR1 AS MINOR,MINOR2 AS REV FROM ACCVERSION"))
                    << QStringLiteral("ORDER BY MAJOR DESC,MINOR1 DESC,MINOR2 DESC");
        query.execQuery();
        if (!query.eof()) {
            core::TVersionTriple read;
            read.Major = query.fieldByName(QStringLiteral("MAJOR")).asInteger();
            read.Minor1 = query.fieldByName(QStringLiteral("MINOR")).asInteger();
            read.Minor2 = query.fieldByName(QStringLiteral("REV")).asInteger();
            CurrentVersion = read;
        }
        query.close();
        transaction.commit();
    } catch (const core::EIBError& error) {
        CurrentVersion = {};
        core::ReportFbAccessError(error, QStringLiteral("TDbUpdateBox.SetDbVersion"), kVersionFailedMessage, 0);
        commitQuietly(transaction);
    } catch (const std::exception&) {
        CurrentVersion = {};
        core::ShowMessageWithDetail(kVersionFailedMessage, QString(), core::MessageKind::Error);
        commitQuietly(transaction);
    }
}

void TDbUpdateList::SetDbVersionText(const QString& text)
{
    CurrentVersion = {};
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 3)
        return;
    const auto number = [](const QString& part) {
        bool ok = false;
        const int value = part.toInt(&ok);
        return ok ? value : 0;
    };
    CurrentVersion.Major = number(parts[0]);
    CurrentVersion.Minor1 = number(parts[1]);
    CurrentVersion.Minor2 = number(parts[2]);
}

void TDbUpdateList::PrepareUpdateList(quint8 kind, const QString& versionText)
{
    UpdateKind = kind;
    UpdatePending = false;
    UpdateSucceeded = false;
    Compatibility = 0;
    FirstIndex = -1;
    LastIndex = -1;
    ProgramVersion = {};
    BackupCount = 0;
    // Cleared on every call, also when nothing is pending, so that a dialog reused for
    // another database never lists the steps of the one before.
    Rows.clear();
    SelectedRow = -1;

    Columns = {{QStringLiteral("Ver."), 60}, {QStringLiteral(u"説明"), 280}, {QStringLiteral(u"状況"), 80}};
    CancelVisible = kind == kUpdateCompany;
    if (kind == kUpdateSystem) {
        CurrentSteps = &SystemSteps;
        HeadLine = QStringLiteral(u"システムデータの更新を行います。");
        WarningLines = QStringList{QString(), QString()};
        AgreementVisible = false;
    } else {
        CurrentSteps = &DataSteps;
        HeadLine = QStringLiteral(u"会計データの更新を行います。");
        WarningLines = QStringList{QStringLiteral(u"バックアップを取得せずに、この処理を行うと元に戻すことが出来ません。"),
                                   QStringLiteral(u"必ずバックアップを取得後に実行することを強く推奨します。")};
        AgreementVisible = true;
    }

    const TArrayDbUpdateListRec& steps = *CurrentSteps;
    if (!steps.empty())
        ProgramVersion = {steps.back().Major, steps.back().Minor1, steps.back().Minor2};

    if (!versionText.isEmpty())
        SetDbVersionText(versionText);
    else
        SetDbVersion();

    Compatibility = kind == kUpdateSystem ? 1 : companyCompatibility(CurrentVersion, ProgramVersion);

    for (size_t i = 0; i < steps.size(); ++i) {
        if (isNewer(steps[i], CurrentVersion)) {
            UpdatePending = true;
            FirstIndex = qint32(i);
            break;
        }
    }
    if (FirstIndex == -1)
        return;

    // The table ascends, so every step from the first newer one on is pending.
    LastIndex = qint32(steps.size()) - 1;
    for (qint32 i = FirstIndex; i <= LastIndex; ++i) {
        const TDbUpdateListRec& step = steps[size_t(i)];
        Rows << TDbUpdateListRow{QString::asprintf("%d.%d.%d", step.Major, step.Minor1, step.Minor2), step.Title,
                                 QString()};
        BackupCount += step.BackupFlag;
    }
    SelectedRow = 0;
}

QString TDbUpdateList::SelectedDescription() const
{
    if (!CurrentSteps || SelectedRow < 0 || SelectedRow >= Rows.size() || FirstIndex < 0)
        return QString();
    return (*CurrentSteps)[size_t(FirstIndex + SelectedRow)].Description;
}

} // namespace dbupgrade
