// The scripts the steps write, compared byte for byte with the golden files in data/golden
// (time, computer and session fixed), with the variants where the edition, the connect mode
// or a column test changes them. Every script must hold only what SJIS_0208 can store.
// TAXLINK_UPDATE_GOLDEN=1 rewrites the golden files (then check them by hand).

#include "dbupgrade/DbUpdateSteps.h"
#include "dbupgrade/company/CompanyStep011.h"
#include "dbupgrade/company/CompanyStep012.h"
#include "dbupgrade/company/CompanyStep014.h"
#include "dbupgrade/company/CompanyStep015.h"
#include "dbupgrade/company/CompanyStep022.h"
#include "dbupgrade/company/CompanyStep030.h"
#include "dbupgrade/company/CompanyStep033.h"
#include "dbupgrade/company/CompanyStep034.h"
#include "dbupgrade/company/CompanyStep102.h"
#include "dbupgrade/company/CompanyStep103.h"
#include "dbupgrade/company/CompanyStep200.h"
#include "dbupgrade/company/CompanyStep204.h"
#include "dbupgrade/system/SystemStepScripts.h"

#include "core/Globals.h"
#include "core/db/Sjis0208.h"
#include "tests/dbupgrade/UpgradeTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <functional>

namespace {

using namespace upgradetest;

struct GoldenCase {
    std::string name;
    std::function<QByteArray()> build;
};

QByteArray systemScript(int major, int minor1, int minor2)
{
    const auto script = dbupgrade::BuildSystemStepScript({major, minor1, minor2});
    return script ? script->bytes() : QByteArray("<missing file>");
}

std::vector<GoldenCase> goldenCases()
{
    std::vector<GoldenCase> cases;
    const dbupgrade::TArrayDbUpdateListRec steps = dbupgrade::BuildSystemSteps({});
    for (const auto& step : steps) {
        const int major = step.Major, minor1 = step.Minor1, minor2 = step.Minor2;
        cases.push_back({QString::asprintf("system-%d.%d.%d", major, minor1, minor2).toStdString(),
                         [=] { return systemScript(major, minor1, minor2); }});
    }
    cases.push_back({"system-4.0.2-partner", [] {
                         core::EditionFlag = 1;
                         return systemScript(4, 0, 2);
                     }});
    cases.push_back({"system-5.0.0-partner", [] {
                         core::EditionFlag = 2;
                         return systemScript(5, 0, 0);
                     }});
    cases.push_back({"system-1.0.1-server", [] {
                         core::ConnectMode = 1;
                         core::SystemDef.HOSTNAME = QStringLiteral("dbsrv");
                         return systemScript(1, 0, 1);
                     }});
    cases.push_back({"company-0.1.1", [] { return dbupgrade::BuildCompanyStep011Script({false, false}).bytes(); }});
    cases.push_back({"company-0.1.1-with-sdai-hasuu3",
                     [] { return dbupgrade::BuildCompanyStep011Script({true, false}).bytes(); }});
    cases.push_back({"company-0.1.1-with-both", [] { return dbupgrade::BuildCompanyStep011Script({true, true}).bytes(); }});
    cases.push_back({"company-0.1.2", [] { return dbupgrade::BuildCompanyStep012Script().bytes(); }});
    cases.push_back({"company-0.1.3", [] { return dbupgrade::BuildCompanyStep013Script({false, false}).bytes(); }});
    cases.push_back({"company-0.1.3-with-sdai-hasuu3",
                     [] { return dbupgrade::BuildCompanyStep013Script({true, false}).bytes(); }});
    cases.push_back({"company-0.1.3-with-both", [] { return dbupgrade::BuildCompanyStep013Script({true, true}).bytes(); }});
    cases.push_back({"company-0.1.4", [] { return dbupgrade::BuildCompanyStep014Script(false).bytes(); }});
    cases.push_back({"company-0.1.4-with-kessan-kikan", [] { return dbupgrade::BuildCompanyStep014Script(true).bytes(); }});
    cases.push_back({"company-0.1.5", [] { return dbupgrade::BuildCompanyStep015Script(false).bytes(); }});
    cases.push_back({"company-0.1.5-with-chuki-titleprint",
                     [] { return dbupgrade::BuildCompanyStep015Script(true).bytes(); }});
    cases.push_back({"company-0.2.0", [] { return dbupgrade::BuildCompanyStep020Script().bytes(); }});
    cases.push_back({"company-0.2.1", [] { return dbupgrade::BuildCompanyStep021Script().bytes(); }});
    cases.push_back({"company-0.2.2", [] { return dbupgrade::BuildCompanyStep022Script(false).bytes(); }});
    cases.push_back({"company-0.2.2-with-groupm0", [] { return dbupgrade::BuildCompanyStep022Script(true).bytes(); }});
    cases.push_back({"company-0.3.0", [] { return dbupgrade::BuildCompanyStep030Script().bytes(); }});
    cases.push_back({"company-0.3.1", [] { return dbupgrade::BuildCompanyStep031Script().bytes(); }});
    cases.push_back({"company-0.3.2", [] { return dbupgrade::BuildCompanyStep032Script().bytes(); }});
    using dbupgrade::ZebrikAccountSet;
    cases.push_back({"company-0.3.3-set-a", [] { return dbupgrade::BuildCompanyStep033Script(ZebrikAccountSet::A).bytes(); }});
    cases.push_back({"company-0.3.3-set-b", [] { return dbupgrade::BuildCompanyStep033Script(ZebrikAccountSet::B).bytes(); }});
    cases.push_back({"company-0.3.3-set-c", [] { return dbupgrade::BuildCompanyStep033Script(ZebrikAccountSet::C).bytes(); }});
    cases.push_back({"company-0.3.3-no-set", [] { return dbupgrade::BuildCompanyStep033Script(ZebrikAccountSet::None).bytes(); }});
    cases.push_back({"company-0.3.4", [] { return dbupgrade::BuildCompanyStep034Script().bytes(); }});
    cases.push_back({"company-0.4.0", [] { return dbupgrade::BuildCompanyStep040Script().bytes(); }});
    cases.push_back({"company-0.4.1-houjin", [] { return dbupgrade::BuildCompanyStep041Script(true).bytes(); }});
    cases.push_back({"company-0.4.1-other", [] { return dbupgrade::BuildCompanyStep041Script(false).bytes(); }});
    cases.push_back({"company-1.0.0", [] { return dbupgrade::BuildCompanyStep100Script().bytes(); }});
    cases.push_back({"company-1.0.1", [] { return dbupgrade::BuildCompanyStep101Script().bytes(); }});
    cases.push_back({"company-1.0.2", [] { return dbupgrade::BuildCompanyStep102Script().bytes(); }});
    cases.push_back({"company-1.0.3", [] { return dbupgrade::BuildCompanyStep103Script(false).bytes(); }});
    cases.push_back({"company-1.0.3-siten", [] { return dbupgrade::BuildCompanyStep103Script(true).bytes(); }});
    using dbupgrade::TotalNameSet;
    cases.push_back({"company-1.0.5-set-a", [] { return dbupgrade::BuildCompanyStep105Script(TotalNameSet::A).bytes(); }});
    cases.push_back({"company-1.0.5-set-b", [] { return dbupgrade::BuildCompanyStep105Script(TotalNameSet::B).bytes(); }});
    cases.push_back({"company-1.0.5-set-c", [] { return dbupgrade::BuildCompanyStep105Script(TotalNameSet::C).bytes(); }});
    cases.push_back({"company-1.0.5-no-set", [] { return dbupgrade::BuildCompanyStep105Script(TotalNameSet::None).bytes(); }});
    cases.push_back({"company-2.0.0", [] { return dbupgrade::BuildCompanyStep200Script(false).bytes(); }});
    cases.push_back({"company-2.0.0-kojin", [] { return dbupgrade::BuildCompanyStep200Script(true).bytes(); }});
    // 2.0.4: 個人 不動産 without settings of 1401, with branches and without; with them or another kind.
    cases.push_back({"company-2.0.4-defaults-branches", [] {
                         return dbupgrade::BuildCompanyStep204Script(QStringList{QStringLiteral("01"), QStringLiteral("02")}).bytes();
                     }});
    cases.push_back({"company-2.0.4-defaults", [] {
                         return dbupgrade::BuildCompanyStep204Script(QStringList{QStringLiteral(" ")}).bytes();
                     }});
    cases.push_back({"company-2.0.4", [] { return dbupgrade::BuildCompanyStep204Script(std::nullopt).bytes(); }});
    return cases;
}

TEST(StepScriptGoldenTest, ScriptsMatchTheGoldenFiles)
{
    const bool update = qEnvironmentVariableIsSet("TAXLINK_UPDATE_GOLDEN");
    const QDir golden(QDir(dataDir()).filePath(QStringLiteral("golden")));
    for (const GoldenCase& c : goldenCases()) {
        SCOPED_TRACE(c.name);
        UpgradeSession session;
        core::SystemDef.SYSDIR = QStringLiteral("/srv/taxlink/data");
        core::SystemDef.DataFolder = QStringLiteral("/srv/taxlink/data/0001");
        const QByteArray bytes = c.build();
        EXPECT_TRUE(core::fitsSjis0208(bytes));
        const QString path = golden.filePath(QString::fromStdString(c.name) + QStringLiteral(".sql"));
        if (update) {
            QDir().mkpath(golden.path());
            QFile out(path);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(bytes);
            continue;
        }
        QFile in(path);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << path.toStdString();
        EXPECT_TRUE(in.readAll() == bytes) << "differs from " << path.toStdString();
    }
}

} // namespace
