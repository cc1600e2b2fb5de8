// The ZIP packer of the analysis-cloud upload, checked with Info-ZIP's unzip as the service
// unpacks the archive.

#include "platform/ZipWithDll.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

int unzip(const QStringList& args, QByteArray* out = nullptr) {
    QProcess p;
    p.start(QStringLiteral("unzip"), args);
    p.waitForFinished(60000);
    if (out)
        *out = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

TEST(ZipWithDll, PacksOneFileUnderItsBareNameBehindThePassword) {
    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            FAIL() << "unzip is not installed";
        GTEST_SKIP() << "unzip is not installed";
    }
    QTemporaryDir dir;
    const QByteArray compressible = QByteArray("INSERT INTO SIWAKE VALUES (1,2,3);\r\n").repeated(2000);
    QByteArray random(50000, '\0');
    for (char& c : random)
        c = char(QRandomGenerator::global()->bounded(256));
    for (const QByteArray& content : {compressible, random, QByteArray()}) {
        const QString source = dir.filePath(QStringLiteral("sub/qmacc.sql"));
        QDir().mkpath(dir.filePath(QStringLiteral("sub")));
        QFile f(source);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        const QString zip = dir.filePath(QStringLiteral("qmacc.zip"));
        QFile old(zip);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly)); // an older archive is replaced
        old.write("old");
        old.close();
        ASSERT_EQ(platform::ZipWithDll(QStringLiteral("-D -P Nlsmoy0645 -q -j"), QLatin1Char('"') + zip + QLatin1Char('"'),
                                       QLatin1Char('"') + source + QLatin1Char('"')),
                  0);
        if (content == compressible)
            EXPECT_LT(QFile(zip).size(), content.size() / 10);
        QByteArray extracted;
        EXPECT_EQ(unzip({QStringLiteral("-p"), QStringLiteral("-P"), QStringLiteral("Nlsmoy0645"), zip, QStringLiteral("qmacc.sql")},
                        &extracted),
                  0);
        EXPECT_EQ(extracted, content);
        EXPECT_NE(unzip({QStringLiteral("-p"), QStringLiteral("-P"), QStringLiteral("wrong"), zip}), 0);
    }
}

TEST(ZipWithDll, AMissingSourceLeavesNoArchive) {
    QTemporaryDir dir;
    const QString zip = dir.filePath(QStringLiteral("qmacc.zip"));
    EXPECT_EQ(platform::ZipWithDll(QStringLiteral("-D -P x -q -j"), zip, dir.filePath(QStringLiteral("none.sql"))), -1);
    EXPECT_FALSE(QFile::exists(zip));
}

} // namespace
