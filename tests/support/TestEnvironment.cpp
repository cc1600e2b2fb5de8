#include "tests/support/TestEnvironment.h"

#include <QCoreApplication>
#include <QProcessEnvironment>

namespace testsupport {

std::optional<ServerAccount> serverAccount() {
    const auto env = QProcessEnvironment::systemEnvironment();
    const QString host = env.value(QStringLiteral("TAXLINK_FB_HOST"));
    if (host.isEmpty())
        return std::nullopt;
    return ServerAccount{host, env.value(QStringLiteral("TAXLINK_FB_USER"), QStringLiteral("TALLEK")),
                         env.value(QStringLiteral("TAXLINK_FB_PASSWORD"), QStringLiteral("vorbin"))};
}

bool runningInCi() {
    return !qEnvironmentVariableIsEmpty("CI");
}

QString helperDir() {
    return qEnvironmentVariable("TAXLINK_TEST_HELPERS");
}

} // namespace testsupport
