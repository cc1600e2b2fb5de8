#pragma once
// A shared drive for the shared-data selection tests: a drive map in the work folder whose
// letter D holds the shared folder with areas copied from the suite's sample data sets (made
// once per suite), and letter E without the shared folder.

#include "tests/companydata/RegistryTestFixture.h"

#include "core/Globals.h"
#include "selection/ServerSentakuBox.h"

#include <QDir>
#include <QFile>

namespace servertest {

constexpr int kGroup = schema::DataRoot::defaultGroup;

template <class Suite>
class ServerSentakuTest : public registrytest::RegistryTest<Suite> {
protected:
    using Base = registrytest::RegistryTest<Suite>;

    void SetUp() override
    {
        Base::SetUp();
        if (this->HasFatalFailure())
            return;
        core::SystemDef.OPNAME = QStringLiteral("山田");
        core::SystemDef.DataListAutoUpdate = 0;
        previousEdition = core::EditionFlag;
        core::EditionFlag = 1;
        this->run({QStringLiteral("DELETE FROM SERVERDATALIST WHERE GROUPID=%1").arg(kGroup),
                   QStringLiteral("DELETE FROM CHILD_SERVERDATALIST WHERE GROUPID=%1").arg(kGroup),
                   QStringLiteral("DELETE FROM KENSAKUJYOKEN WHERE OPCODE=%1").arg(core::SystemDef.OPCODE)});
        driveD = this->folder(QStringLiteral("d"));
        this->folder(QStringLiteral("e"));
        share = this->folder(QStringLiteral("d/tallekzaimu"));
        const QString ini = this->work.filePath(QStringLiteral("drives.ini"));
        QFile file(ini);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("[DRIVES]\r\nD=%1\r\nE=%2\r\n").arg(driveD, this->work.filePath(QStringLiteral("e"))).toLocal8Bit());
        file.close();
        previousDrives = qgetenv("TAXLINK_DRIVES");
        qputenv("TAXLINK_DRIVES", ini.toLocal8Bit());
    }
    void TearDown() override
    {
        if (previousDrives.isEmpty())
            qunsetenv("TAXLINK_DRIVES");
        else
            qputenv("TAXLINK_DRIVES", previousDrives);
        core::EditionFlag = previousEdition;
        Base::TearDown();
    }

    // An area holding a copy of the sample data set rec (0: a free area).
    QString area(const QString& name, int sampleRec = 0)
    {
        const QString path = share + QLatin1Char('/') + name;
        QDir().mkpath(path);
        if (sampleRec > 0) {
            const QDir source(Base::root_->dataFolder(sampleRec));
            for (const QString& f : source.entryList(QDir::Files))
                EXPECT_TRUE(QFile::copy(source.filePath(f), path + QLatin1Char('/') + f)) << f.toStdString();
        }
        return path;
    }

    std::unique_ptr<selection::TServerSentakuBox> open(const QString& drive = QStringLiteral("D"))
    {
        auto box = std::make_unique<selection::TServerSentakuBox>();
        box->ShowBox2 = [this](controls::TMessage2InfoRec& info) {
            boxes << info.Lines[0].Text;
            return int(core::mrOk);
        };
        box->ShowDetailBox = [this](const controls::TMessageInfoRec& info) {
            details << info;
            return detailAnswer;
        };
        box->DriveLetter = drive;
        box->Prepare(1);
        return box;
    }

    int rowOfFolder(selection::TServerSentakuBox& box, const QString& folder)
    {
        for (int r = 0; r < box.Grid->RowCount(); ++r)
            if (box.Grid->Cells(selection::scFolder, r) == folder)
                return r;
        return -1;
    }

    QString driveD, share;
    QByteArray previousDrives;
    decltype(core::EditionFlag) previousEdition{};
    QStringList boxes;
    QList<controls::TMessageInfoRec> details;
    int detailAnswer = core::mrOk;
};

} // namespace servertest
