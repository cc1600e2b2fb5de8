#include "core/db/ConnectionName.h"

#include <gtest/gtest.h>

TEST(ConnectionName, LocalOrThroughServerByModeAndHost) {
    const struct {
        int mode;
        const char* host;
        const char* folder;
        const char* file;
        const char* connect;
    } cases[] = {
        {0, "", "/data/tax", "SYS.FDB", "/data/tax/SYS.FDB"},
        {0, "server1", "/data/tax/", "SYS.FDB", "/data/tax/SYS.FDB"},
        {0, "127.0.0.1", "/data/tax", "SYS.FDB", "/data/tax/SYS.FDB"},
        {1, "server1", "/data/tax", "SYS.FDB", "server1:/data/tax/SYS.FDB"},
        {2, "192.168.1.5", "/srv/db/", "C01.FDB", "192.168.1.5:/srv/db/C01.FDB"},
        // The loopback address is a server like any other: the engine of this process must not
        // hold the file beside it.
        {1, "127.0.0.1", "/data/tax", "SYS.FDB", "127.0.0.1:/data/tax/SYS.FDB"},
        {2, "127.0.0.1", "/data/tax", "SYS.FDB", "127.0.0.1:/data/tax/SYS.FDB"},
        // Without a host there is no server to go through.
        {1, "", "/data/tax", "SYS.FDB", "/data/tax/SYS.FDB"},
        {1, "localhost", "/data/会計", "会社.FDB", "localhost:/data/会計/会社.FDB"},
    };
    for (const auto& c : cases) {
        const QString host = QString::fromUtf8(c.host);
        const QString folder = QString::fromUtf8(c.folder);
        const QString file = QString::fromUtf8(c.file);
        const QString expected = QString::fromUtf8(c.connect);
        EXPECT_EQ(core::databaseConnectionName(c.mode, host, folder, file), expected) << c.mode << " " << c.host;
        EXPECT_EQ(core::throughServer(c.mode, host), expected.contains(QLatin1Char(':'))) << c.mode << " " << c.host;
    }
}
