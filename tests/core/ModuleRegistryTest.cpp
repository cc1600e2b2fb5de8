#include "core/Globals.h"
#include "core/modules/ManualPage.h"
#include "core/modules/ModuleRegistry.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

// A module form that records how it was launched.
template <int N>
class FakeModule : public IModuleForm {
public:
    explicit FakeModule(QWidget* owner) : owner(owner) {}
    int RunModule(bool modal) override { return modal ? 100 + N : N; }
    void SetModuleParams(const QStringList& params) override { received = params; }

    QWidget* owner;
    QStringList received;
};

} // namespace

TEST(ModuleRegistry, FindsTheProgramsModulesIgnoringCase) {
    TModuleRegistry registry;
    const struct {
        const char* name;
        TModuleFormClass formClass;
        int plainResult;
    } modules[] = {
        {"VxDataSenkaku", ModuleFormClass<FakeModule<1>>(), 1},
        {"VxTusinSettei", ModuleFormClass<FakeModule<2>>(), 2},
        {"VxDataTusin", ModuleFormClass<FakeModule<3>>(), 3},
        {"VxMeetingToolSetting", ModuleFormClass<FakeModule<4>>(), 4},
        {"WebMenuL", ModuleFormClass<FakeModule<5>>(), 5},
    };
    for (const auto& m : modules)
        registry.registerForm(m.formClass, QString::fromLatin1(m.name));

    for (const auto& m : modules) {
        for (const QString& asked : {QString::fromLatin1(m.name), QString::fromLatin1(m.name).toLower(),
                                     QString::fromLatin1(m.name).toUpper()}) {
            const TModuleFormClass* found = registry.find(asked);
            ASSERT_NE(found, nullptr) << qPrintable(asked);
            EXPECT_EQ(found->identity, m.formClass.identity) << qPrintable(asked);
        }
        auto form = registry.create(QString::fromLatin1(m.name), nullptr);
        ASSERT_TRUE(form);
        EXPECT_EQ(form->RunModule(false), m.plainResult);
    }
    EXPECT_EQ(registry.find(QStringLiteral("VxUnknown")), nullptr);
    EXPECT_EQ(registry.find(QString()), nullptr);
    EXPECT_FALSE(registry.create(QStringLiteral("VxUnknown"), nullptr));
}

TEST(ModuleRegistry, IgnoresAClassRegisteredTwiceAndKeepsTheFirstOfOneName) {
    TModuleRegistry registry;
    registry.registerForm(ModuleFormClass<FakeModule<1>>(), QStringLiteral("First"));
    registry.registerForm(ModuleFormClass<FakeModule<1>>(), QStringLiteral("Second"));
    EXPECT_EQ(registry.count(), 1);
    EXPECT_EQ(registry.moduleNames(), QStringList{QStringLiteral("First")});
    EXPECT_EQ(registry.find(QStringLiteral("Second")), nullptr);

    // Two classes under one name are both kept; the lookup finds the first.
    registry.registerForm(ModuleFormClass<FakeModule<2>>(), QStringLiteral("first"));
    EXPECT_EQ(registry.count(), 2);
    EXPECT_EQ(registry.find(QStringLiteral("FIRST"))->identity, ModuleFormClass<FakeModule<1>>().identity);
}

TEST(ModuleRegistry, ProgramRegistryCreatesFormsWithTheirOwner) {
    RegisterModuleForm(ModuleFormClass<FakeModule<9>>(), QStringLiteral("ModuleRegistryTestForm"));
    auto* owner = reinterpret_cast<QWidget*>(0x1000);
    auto form = ModuleRegistry().create(QStringLiteral("moduleregistrytestform"), owner);
    ASSERT_TRUE(form);
    EXPECT_EQ(static_cast<FakeModule<9>*>(form.get())->owner, owner);
}

TEST(ModuleRegistry, LaunchParamsEndWithTheFormStyle) {
    const struct {
        const char* text;
        bool modal;
        QStringList lines;
    } cases[] = {
        {"SyoriType=3", true, {"SyoriType=3", "FormStyle=2"}},
        {"SyoriType=3\r\nMode=1\r\n", false, {"SyoriType=3", "Mode=1", "FormStyle=0"}},
        {"A=1\rB=2\nC=3", true, {"A=1", "B=2", "C=3", "FormStyle=2"}},
        {"", false, {"FormStyle=0"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ModuleLaunchParams(QString::fromLatin1(c.text), c.modal), c.lines) << c.text;
        FakeModule<0> form(nullptr);
        form.SetModuleParams(ModuleLaunchParams(QString::fromLatin1(c.text), c.modal));
        EXPECT_EQ(form.received.last(), c.lines.last());
    }
}

TEST(ManualPage, OpensTitlePagesFromTheHelpFolderAndOthersFromThePageFolder) {
    QStringList opened;
    const ManualPageOpener previous = SetManualPageOpener([&](const QString& path) { opened << path; });
    const QString help = QStringLiteral("/opt/taxlink/help");
    for (const char* title : {"olm.html", "ecbolm.html", "zbkolm.html", "csbolm.html"})
        EXPECT_EQ(OpenManualPage(QString::fromLatin1(title), help), 0);
    EXPECT_EQ(OpenManualPage(QStringLiteral("file01.html"), help), 0);
    EXPECT_EQ(OpenManualPage(QString(), help), 0);
    EXPECT_EQ(OpenManualPage(QStringLiteral("olm.html"), help + QLatin1Char('/')), 0);
    // Without a folder the session's help folder is used.
    const QString savedHelpDir = SystemDef.HelpDir;
    SystemDef.HelpDir = QStringLiteral("/srv/help");
    EXPECT_EQ(OpenManualPage(QStringLiteral("kyoyudata.html")), 0);
    SystemDef.HelpDir = savedHelpDir;
    SetManualPageOpener(previous);

    EXPECT_EQ(opened, (QStringList{QStringLiteral("/opt/taxlink/help/olm.html"),
                                   QStringLiteral("/opt/taxlink/help/ecbolm.html"),
                                   QStringLiteral("/opt/taxlink/help/zbkolm.html"),
                                   QStringLiteral("/opt/taxlink/help/csbolm.html"),
                                   QStringLiteral("/opt/taxlink/help/olm.files/file01.html"),
                                   QStringLiteral("/opt/taxlink/help/olm.html"),
                                   QStringLiteral("/srv/help/olm.files/kyoyudata.html")}));
}
