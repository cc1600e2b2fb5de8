#include "platform/Cp932.h"
#include "platform/Registry.h"
#include "tests/platform/PlatformTestUtil.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace platform;
using platformtest::ScopedEnv;

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        platformtest::writeBytes(path, toCp932(QStringLiteral(
            "Windows Registry Editor Version 5.00\r\n"
            "\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tallek\\Diru]\r\n"
            "\"Product\"=\"ヂル\"\r\n"
            "\"Version\"=dword:0000002a\r\n"
            "\"Negative\"=dword:ffffffff\r\n"
            "\"Path\"=\"C:\\\\Tallek\\\\ヂル \\\"x\\\"\"\r\n"
            "\"Binary\"=hex:01,02\r\n"
            "@=\"default\"\r\n"
            "[hkey_local_machine\\software\\tallek\\Diru\\5.0]\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tallek\\Accounting\\Tools]\r\n"
            "\"X\"=\"1\"\r\n"
            "[HKEY_CURRENT_USER\\SOFTWARE\\Tallek\\Diru]\r\n"
            "\"Product\"=\"user\"\r\n")));
    }
    QTemporaryDir dir;
    QString path = dir.filePath("registry.ini");
    ScopedEnv env{"TAXLINK_REGISTRY", path.toLocal8Bit()};
};

TEST_F(RegistryTest, ReadsValuesOfEveryType) {
    using T = RegistryValueType;
    const auto LM = RootKey::LocalMachine;
    const QString diru = QStringLiteral("SOFTWARE\\Tallek\\Diru");
    struct Case {
        RootKey root;
        QString key, name;
        T type;
        QString text;
        qint32 integer;
    } cases[] = {
        {LM, diru, "Product", T::String, QStringLiteral("ヂル"), 0},
        {LM, "\\software\\TALLEK\\diru", "PRODUCT", T::String, QStringLiteral("ヂル"), 0},
        {LM, diru, "Version", T::Integer, "", 42},
        {LM, diru, "Negative", T::Integer, "", -1},
        {LM, diru, "Path", T::String, QStringLiteral("C:\\Tallek\\ヂル \"x\""), 0},
        {LM, diru, "Binary", T::Other, "hex:01,02", 0},
        {LM, diru, "", T::String, "default", 0},
        {LM, diru, "Missing", T::None, "", 0},
        {LM, "SOFTWARE\\Tallek\\Accounting", "X", T::None, "", 0}, // exists only as a path step
        {LM, "SOFTWARE\\Nothing", "Product", T::None, "", 0},
        {RootKey::CurrentUser, diru, "Product", T::String, "user", 0},
    };
    for (const auto& c : cases) {
        const RegistryValue v = readRegistryValue(c.root, c.key, c.name);
        const std::string where = c.key.toStdString() + " " + c.name.toStdString();
        EXPECT_EQ(v.type, c.type) << where;
        EXPECT_EQ(v.text, c.text) << where;
        EXPECT_EQ(v.integer, c.integer) << where;
    }
}

TEST_F(RegistryTest, ListsDirectSubKeysSortedAndOnce) {
    struct Case {
        RootKey root;
        QString key;
        QStringList expected;
    } cases[] = {
        {RootKey::LocalMachine, "SOFTWARE\\Tallek", {"Accounting", "Diru"}},
        {RootKey::LocalMachine, "\\SOFTWARE\\", {"Tallek"}},
        {RootKey::LocalMachine, "software\\tallek\\DIRU", {"5.0"}},
        {RootKey::LocalMachine, "SOFTWARE\\Tallek\\Accounting\\Tools", {}},
        {RootKey::CurrentUser, "SOFTWARE\\Tallek", {"Diru"}},
        {RootKey::LocalMachine, "SOFTWARE\\Nothing", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(registrySubKeys(c.root, c.key), c.expected) << c.key.toStdString();
}

TEST_F(RegistryTest, FileComesFromEnvironmentThenSetterThenDefault) {
    setRegistryFile(dir.filePath("configured.ini"));
    EXPECT_EQ(registryFile(), path);
    {
        ScopedEnv unset("TAXLINK_REGISTRY", std::nullopt);
        EXPECT_EQ(registryFile(), dir.filePath("configured.ini"));
        // A missing file is an empty registry.
        EXPECT_EQ(readRegistryValue(RootKey::LocalMachine, "SOFTWARE\\Tallek\\Diru", "Product").type,
                  RegistryValueType::None);
        EXPECT_TRUE(registrySubKeys(RootKey::LocalMachine, "SOFTWARE").isEmpty());
        setRegistryFile({});
        EXPECT_EQ(registryFile(), "/etc/taxlink/registry.ini");
    }
}

} // namespace
