#include "core/db/ConnectionName.h"

#include <gtest/gtest.h>

TEST(ConnectionName, LocalOrThroughServerByModeAndHost) {
    const struct {
        int mode;
        const char* host;
        const char* folder;
        const char* file;
        const char* connect;
        const char* drop;
    } cases[] = {
        {0, "", "/data/tax", "SYS.FDB", "/data/tax/SYS.FDB", "/data/tax/SYS.FDB"},
        {0, "server1", "/data/tax/", "SYS.FDB", "/data/tax/SYS.FDB", "/data/tax/SYS.FDB"},
        {1, "server1", "/data/tax", "SYS.FDB", "server1:/data/tax/SYS.FDB", "server1:/data/tax/SYS.FDB"},
        {2, "192.168.1.5", "/srv/db/", "C01.FDB", "192.168.1.5:/srv/db/C01.FDB", "192.168.1.5:/srv/db/C01.FDB"},
        // The loopback address connects locally but drops through the server.
        {1, "127.0.0.1", "/data/tax", "SYS.FDB", "/data/tax/SYS.FDB", "127.0.0.1:/data/tax/SYS.FDB"},
        {1, "localhost", "/data/会計", "会社.FDB", "localhost:/data/会計/会社.FDB", "localhost:/data/会計/会社.FDB"},
    };
    for (const auto& c : cases) {
        const QString host = QString::fromUtf8(c.host);
        const QString folder = QString::fromUtf8(c.folder);
        const QString file = QString::fromUtf8(c.file);
        EXPECT_EQ(core::databaseConnectionName(c.mode, host, folder, file), QString::fromUtf8(c.connect))
            << c.mode << " " << c.host;
        EXPECT_EQ(core::dropDatabaseName(c.mode, host, folder, file), QString::fromUtf8(c.drop))
            << c.mode << " " << c.host;
    }
}
