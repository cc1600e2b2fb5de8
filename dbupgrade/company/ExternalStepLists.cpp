#include "dbupgrade/company/ExternalStepLists.h"

#include <tuple>

namespace dbupgrade {

namespace {

constexpr FileRule E = FileRule::Every;
constexpr FileRule O = FileRule::OtherOnly;
constexpr FileRule M = FileRule::MedicalOnly;
constexpr FileRule N = FileRule::Never;

FileRule when(bool condition)
{
    return condition ? E : N;
}

} // namespace

QList<ListedFile> CompanyStepFiles(const core::TVersionTriple& version, const CompanyDataKind& kind,
                                   const StepFacts& facts)
{
    const auto list = [&](const QList<FileRule>& rules) { return NumberedList(rules, kind); };
    const bool corporation = kind.dataType == 1;
    const std::tuple<int, int, int> v{version.Major, version.Minor1, version.Minor2};
    using V = std::tuple<int, int, int>;

    if (v == V{3, 0, 0})
        return list({E, E, E, E, E, E, E, E, E, E});
    if (v == V{3, 0, 1})
        return list({E});
    if (v == V{3, 0, 3})
        return list({M, M, M, M, M, M});
    if (v == V{3, 0, 4})
        return list({E, E, E, when(!facts.hasKamokumstTrigger)});
    if (v == V{3, 0, 6})
        return list({when(kind.medical() && facts.accountVariant == 1), when(kind.medical() && facts.accountVariant == 2)});
    if (v == V{3, 0, 7})
        return list({E, M, M, M, M, M, M, E});
    if (v == V{4, 0, 0})
        return list({E, O, O, M, M, E, O, O, M});
    if (v == V{4, 0, 2})
        return list({E, E, E, E, E, E});
    if (v == V{5, 0, 0})
        return list({M, O, M, E, E, E, E, E, when(kind.oem), O, E});
    if (v == V{5, 0, 2})
        return list({O, M});
    if (v == V{5, 0, 5})
        return list({E, O, M, when(!kind.oem && corporation), when(kind.oem && corporation)});
    if (v == V{6, 0, 0})
        return list({E, E, O, O, O, O, O, O, O, M, M, M, M, M, E, O, M, E});
    if (v == V{6, 1, 0})
        return list({E, E, E, O, M});
    if (v == V{6, 1, 3})
        return list({E, M, O, E, E, O, E});
    if (v == V{7, 0, 0})
        return list({O, O, O, M, M, M, M, O, M, E, O});
    if (v == V{7, 0, 2})
        return list({E, E});
    if (v == V{7, 0, 3})
        return list({M, E, E});
    if (v == V{7, 0, 4})
        return QList<ListedFile>{{QStringLiteral("qmvup70201.sql"), !facts.hasTaxCode116},
                                 {QStringLiteral("qmvup70202.sql"), !facts.hasTaxCode116}} +
               list({E, E, O, M});
    if (v == V{8, 0, 0})
        return list({E, E, E, E, E, E});
    if (v == V{8, 0, 2}) {
        const QList<ListedFile> numbered = list({O, O, M, M, E, E, E});
        return QList<ListedFile>{numbered[6]} + numbered.mid(0, 6);
    }
    if (v == V{8, 0, 3})
        return list({O});
    if (v == V{9, 0, 0})
        return list({E, E, E, O, M});
    if (v == V{9, 0, 1})
        return list({E});
    if (v == V{9, 0, 2})
        return list({E, E, M, M, E});
    if (v == V{9, 0, 3})
        return list({O, M});
    if (v == V{9, 0, 4})
        return list({O, E, E, O, M, O, M});
    if (v == V{9, 0, 5})
        return list({O, M});
    if (v == V{10, 0, 0})
        return list({E, E, E, O});
    if (v == V{10, 0, 1})
        return list({E, E, O, M});
    if (v == V{10, 0, 3})
        return list({E, M, M});
    if (v == V{10, 0, 4})
        return list({E, E, E});
    if (v == V{10, 0, 5})
        return list({E});
    if (v == V{11, 0, 0})
        return list({E, E, E, E, E, O, M, O});
    if (v == V{11, 0, 1})
        return list({E, E, M});
    if (v == V{11, 1, 0})
        return list({O, M, E, E});
    if (v == V{12, 0, 0})
        return list({E, E, O});
    if (v == V{13, 0, 0})
        return list({E, E, O, M});
    if (v == V{13, 0, 3} || v == V{14, 0, 0})
        return list({E, E});
    if (v == V{15, 0, 0})
        return list({O, M});
    return {};
}

ExternalStepPlan ListedStepPlan(const core::TVersionTriple& version, const StepFacts& facts)
{
    ExternalStepPlan plan;
    plan.version = version;
    plan.files = CompanyStepFiles(version, CurrentDataKind(), facts);
    return plan;
}

int RunListedStep(const core::TVersionTriple& version)
{
    return RunExternalStep(ListedStepPlan(version));
}

} // namespace dbupgrade
