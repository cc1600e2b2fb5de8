#include "dbupgrade/system/SystemSteps.h"

#include "companydata/CodeTaikeiIO.h"
#include "core/db/IBSQL.h"
#include "core/dm/TDM.h"
#include "core/settings/SysReg.h"
#include "dbupgrade/runner/RunUpdateScript.h"
#include "dbupgrade/runner/UpdateFiles.h"
#include "dbupgrade/steps/StepRun.h"
#include "dbupgrade/system/MenuLaunchConversion.h"
#include "dbupgrade/system/SystemStepScripts.h"

#include <QDir>
#include <QFileInfo>

namespace dbupgrade {

namespace {

core::TDM& dm()
{
    return core::RequireDM();
}

void connectSystem()
{
    dm().fnAccDefConnected(core::SystemDef.HOSTNAME, 0);
}

void closeSystem()
{
    if (core::DM) {
        if (core::DM->IBTransactionDEF.inTransaction())
            core::DM->IBTransactionDEF.rollback();
        core::DM->IBDatabaseDEF.close();
    }
}

// Closes the system database when the scope ends, also after an error.
struct SystemConnection {
    SystemConnection() { connectSystem(); }
    ~SystemConnection() { closeSystem(); }
    SystemConnection(const SystemConnection&) = delete;
    SystemConnection& operator=(const SystemConnection&) = delete;
};

int versionKey(const core::TVersionTriple& v)
{
    return v.Major * 10000 + v.Minor1 * 100 + v.Minor2;
}

int runScriptOf(const core::TVersionTriple& version)
{
    const std::optional<UpdateScript> script = BuildSystemStepScript(version);
    if (!script)
        return kStepFileMissing;
    return WriteAndRunScript(*script);
}

// The conversion of 8.0.2 in one transaction: all rows or none.
int convertMenuLaunchStep()
{
    try {
        SystemConnection connection;
        core::TIBTransaction& transaction = dm().IBTransactionDEF;
        transaction.startTransaction();
        ConvertMenuLaunch();
        transaction.commit();
        return kStepDone;
    } catch (const std::exception&) {
        return kStepOwnWorkFailed;
    }
}

} // namespace

void LoadIndustryCodeSystems()
{
    SystemConnection connection;
    companydata::TCodeTaikeiIO io;
    const QDir folder(QDir(core::SystemDef.SqlDir).filePath(QStringLiteral("500")));
    for (int slot = 1; slot <= 10; ++slot) {
        const QString name = IndustryFileName(slot);
        if (name.isEmpty())
            continue;
        // A file that is not there ends the import as a failed load does.
        const QString path = folder.filePath(name);
        if (!QFileInfo(path).isFile() || !io.LoadCodeTaikeiFile(path, slot))
            break;
    }
}

void ConvertOfficeRow()
{
    SystemConnection connection;
    core::TSystemIniRec row;
    row.REC = 10;
    dm().GetSysIni(row);
    core::SystemDef.OfficeName = core::TDM::GetKeyValue(row.SSTR, QStringLiteral("NAME"));
    core::SystemDef.OfficeAddress = core::TDM::GetKeyValue(row.SSTR, QStringLiteral("JYUSHO"));
    core::SystemDef.OfficeTel = core::TDM::GetKeyValue(row.SSTR, QStringLiteral("TEL"));
    core::SystemDef.OfficeValue1 = row.RESERVE1;
    core::SystemDef.OfficeValue2 = row.RESERVE2;
    if (row.RESERVE1 != 1)
        return;
    core::TSystemIniRec updated = row;
    updated.RESERVE3 = 1;
    updated.RESERVE4 = 0;
    updated.RESERVE5 = 0;
    updated.SSTR = QStringLiteral("NAME=%1\rJYUSHO=%2\rTEL=%3\r")
                       .arg(core::SystemDef.OfficeName, core::SystemDef.OfficeAddress, core::SystemDef.OfficeTel);
    dm().SetSysIni(updated);
}

int ConvertInputSettings()
{
    struct OperatorRow {
        qint32 opCode;
        qint32 tekAuto;
        qint32 torAuto;
    };
    try {
        SystemConnection connection;
        core::TIBTransaction& transaction = dm().IBTransactionDEF;
        transaction.startTransaction();
        QList<OperatorRow> rows;
        {
            core::TIBSQL query(&dm().IBDatabaseDEF, &transaction);
            query.sql() << QStringLiteral("SELECT OPCODE,DICTEKAUTO,DICTORAUTO FROM SYSDEF")
                        << QStringLiteral("ORDER BY OPCODE");
            query.execQuery();
            for (; !query.eof(); query.next())
                rows << OperatorRow{query.fieldByName(QStringLiteral("OPCODE")).asInteger(),
                                    query.fieldByName(QStringLiteral("DICTEKAUTO")).asInteger(),
                                    query.fieldByName(QStringLiteral("DICTORAUTO")).asInteger()};
        }
        const QString integer = QStringLiteral(u"整数");
        auto store = [&](const QString& prefix, qint32 autoKind, qint32 inputSetting, qint32 opCode) {
            int dictionary = autoKind == 1 ? 1 : 0;
            const int association = autoKind == 2 ? 1 : 0;
            const int automatic = (autoKind == 1 || autoKind == 2) ? 1 : 0;
            const int noInput = inputSetting > 0 ? 1 : 0;
            if (dictionary == 0 && association == 0)
                dictionary = 1;
            core::funcPutSysReg(prefix + QStringLiteral(u"＿辞書開く区分"), integer, opCode, dictionary);
            core::funcPutSysReg(prefix + QStringLiteral(u"＿連想開く区分"), integer, opCode, association);
            core::funcPutSysReg(prefix + QStringLiteral(u"＿自動開く区分"), integer, opCode, automatic);
            core::funcPutSysReg(prefix + QStringLiteral(u"＿入力なし区分"), integer, opCode, noInput);
        };
        for (const OperatorRow& row : rows) {
            const qint32 tekInput =
                core::funcGetSysReg(QStringLiteral(u"摘要項目の入力区分"), integer, row.opCode, QStringLiteral("0")).toInt();
            const qint32 torInput =
                core::funcGetSysReg(QStringLiteral(u"取引先項目の入力区分"), integer, row.opCode, QStringLiteral("0")).toInt();
            store(QStringLiteral(u"摘要"), row.tekAuto, tekInput, row.opCode);
            store(QStringLiteral(u"取引先"), row.torAuto, torInput, row.opCode);
        }
        transaction.commit();
        return kStepDone;
    } catch (const std::exception&) {
        return kStepOwnWorkFailed;
    }
}

std::function<int()> SystemStepProc(const core::TVersionTriple& version)
{
    switch (versionKey(version)) {
    case 50000:
        return [version] {
            if (core::EditionFlag == 1 || core::EditionFlag == 2)
                LoadIndustryCodeSystems();
            return runScriptOf(version);
        };
    case 70000:
        return [version] {
            ConvertOfficeRow();
            return runScriptOf(version);
        };
    case 80002:
        return [version] {
            const int result = runScriptOf(version);
            return result == kStepDone ? convertMenuLaunchStep() : result;
        };
    case 90004:
        return [version] {
            const int result = runScriptOf(version);
            return result == kStepDone ? ConvertInputSettings() : result;
        };
    case 110001:
        return [version] {
            const int result = runScriptOf(version);
            SystemConnection connection;
            dm().LoadGengoTable();
            return result;
        };
    default:
        return [version] { return runScriptOf(version); };
    }
}

} // namespace dbupgrade
