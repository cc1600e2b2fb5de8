#pragma once
// Shared set-up of the communication tests: one fake relay and FTP service per test suite
// (reset before each test), its settings in force, a recording view and message service, and
// the communication IDs of the open data set.

#include "communication/DataTusinCtl.h"
#include "core/Globals.h"
#include "core/net/NetSettings.h"
#include "core/net/RelayExchange.h"
#include "tests/communication/RecordingView.h"
#include "tests/support/FakeServices.h"
#include "tests/support/RecordingMessageService.h"

#include <gtest/gtest.h>

#include <memory>

namespace testsupport {

class CommFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { fake = std::make_unique<FakeServices>(); }
    static void TearDownTestSuite() { fake.reset(); }

    void SetUp() override
    {
        fake->Command(QStringLiteral("reset"));
        core::net::SetNetSettings(fake->Settings());
        core::EditionFlag = 0;
        core::SystemDef.Reserve4Switch9 = 0;
        core::AccInf.WEB_HOLDER = QStringLiteral("ID1");
        core::AccInf.PASWORD = QStringLiteral("pw1");
        core::AccInf.TusinHolder[1] = QStringLiteral("CB1");
        core::AccInf.TusinPassword[1] = QStringLiteral("cbpw");
        core::AccInf.CLOUD_LINE = 0;
    }

    // Sends one request of the test's own to the fake (to set its folders up).
    static void Request(const QByteArray& target)
    {
        core::net::RelayExchange(target, fake->Settings());
    }

    static inline std::unique_ptr<FakeServices> fake;
    RecordingMessageService messages;
    ScopedMessageService scoped{messages};
    RecordingView view;
};

} // namespace testsupport
