#pragma once
// What the tests learn from their environment: the loopback Firebird server that scripts/test
// starts, and temporary folders that clean up after themselves.

#include <QString>
#include <QTemporaryDir>
#include <optional>

namespace testsupport {

struct ServerAccount {
    QString host;     // "localhost": the host form of a database name, never 127.0.0.1
    QString user;     // the product line's database user
    QString password;
};

// The server given by TAXLINK_FB_HOST, TAXLINK_FB_USER and TAXLINK_FB_PASSWORD. Without them a
// server test skips, except under CI (CI set), where a missing server is a failure.
std::optional<ServerAccount> serverAccount();

// Call at the start of a server test: GTEST_SKIP or FAIL when no server is configured.
#define TAXLINK_REQUIRE_SERVER(account)                                                                \
    auto account##Opt = ::testsupport::serverAccount();                                                \
    if (!account##Opt) {                                                                               \
        if (::testsupport::runningInCi())                                                              \
            FAIL() << "no Firebird server configured (TAXLINK_FB_HOST); CI must run server tests";     \
        GTEST_SKIP() << "no Firebird server configured (TAXLINK_FB_HOST)";                             \
    }                                                                                                  \
    const ::testsupport::ServerAccount& account = *account##Opt

bool runningInCi();

// Folder of the test executables (helper programs built beside them).
QString helperDir();

} // namespace testsupport
