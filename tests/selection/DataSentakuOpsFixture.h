#pragma once
// Data sets for the tests of the data-selection operations: copies of the suite's sample data
// set (made once per suite) in the work folder, consolidated ones with their child folders,
// registry rows in 5000-5999, and the dialog opened on them with its boxes recorded.

#include "tests/companydata/RegistryTestFixture.h"

#include "companydata/DataInfomation.h"
#include "companydata/GassanDataCtl.h"
#include "controls/grid/TxGrid.h"
#include "core/modules/ModuleRegistry.h"
#include "platform/IniFile.h"
#include "selection/DataSentakuBox.h"
#include "selection/DataSentakuState.h"

#include <QDirIterator>
#include <QPushButton>

namespace opstest {

using namespace selection;

inline constexpr int kSource = 5001;
inline constexpr int kTarget = 5002;
inline const QString kSampleName = QStringLiteral("みなと商事 第15期");

template <class Suite>
class OpsTest : public registrytest::RegistryTest<Suite> {
protected:
    using Base = registrytest::RegistryTest<Suite>;
    using Base::dm;
    using Base::work;
    using Base::messages;
    using Base::root_;
    using Base::run;
    using Base::rows;
    using Base::folder;
    using Base::messageText;

    static void SetUpTestSuite() { Base::createRoot({schema::sample::SampleKind::Ordinary}); }

    void SetUp() override
    {
        Base::SetUp();
        if (this->HasFatalFailure())
            return;
        core::SystemDef.DataFolder.clear();
        core::SystemDef.DataListFolder.clear();
        core::SystemDef.DataCheck = 0;
        core::SystemDef.AutoShare = 0;
        core::SystemDef.OPNAME = QStringLiteral("山田");
        core::SystemDef.JobLevel = 9; // the administrator may use every data set
        reset();
    }

    // Each case starts without the rows of the one before.
    void reset()
    {
        if (dm.IBDatabaseDAT.connected())
            dm.AccDatDisconnect(QString(), 0, 0);
        run({QStringLiteral("DELETE FROM CHILD_DATALIST WHERE REC BETWEEN 5000 AND 5999"),
             QStringLiteral("DELETE FROM DATALIST WHERE REC BETWEEN 5000 AND 5999")});
    }

    // A copy of the sample data set in the work folder.
    QString copySample(const QString& name)
    {
        const QString path = folder(name);
        const QDir source(root_->dataFolder(1));
        for (const QString& f : source.entryList(QDir::Files))
            EXPECT_TRUE(QFile::copy(source.filePath(f), path + u'/' + f)) << f.toStdString();
        return path;
    }

    // A consolidated data set with its children (copies of the sample database).
    QString consolidated(const QString& name, int children)
    {
        const QString path = copySample(name);
        for (int i = 1; i <= children; ++i) {
            const QString child = folder(name + QStringLiteral("/%1").arg(i, 3, 10, QLatin1Char('0')));
            EXPECT_TRUE(QFile::copy(root_->dataFolder(1) + QStringLiteral("/qmacc.fdb"), child + QStringLiteral("/qmacc.fdb")));
        }
        companydata::TGassanDataCtl ctl;
        ctl.SetDataPath(path);
        ctl.PutGassanSetting(1, children);
        return path;
    }

    // A column of the company's ACCDEF1 row set to a value.
    void setCompany(const QString& path, const QString& column, const QString& value)
    {
        ASSERT_TRUE(dm.fnAccDatConnected(QString(), path, 0));
        core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
        dm.IBTransactionDAT.startTransaction();
        q.sql() << QStringLiteral("UPDATE ACCDEF1 SET %1='%2' WHERE REC=1").arg(column, value);
        q.execSQL();
        dm.IBTransactionDAT.commit();
        dm.AccDatDisconnect(path, 0, 0);
    }

    QString companyValue(const QString& path, const QString& sql)
    {
        if (!dm.fnAccDatConnected(QString(), path, 0))
            return QStringLiteral("<no database>");
        core::TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
        dm.IBTransactionDAT.startTransaction();
        q.sql() << sql;
        q.execQuery();
        const QString value = q.eof() ? QString() : q.fields(0).asString().trimmed();
        q.close();
        dm.IBTransactionDAT.commit();
        dm.AccDatDisconnect(path, 0, 0);
        return value;
    }
    QString setting(const QString& path)
    {
        const auto value = [&](const char* key) {
            return companyValue(path, QStringLiteral("SELECT ATEXT FROM ACCREG WHERE AGROUP='基本設定' AND ACODE='%1'")
                                          .arg(QString::fromUtf8(key)));
        };
        return value("合算データ区分") + u',' + value("合算データ数");
    }

    void addRow(int rec, const QString& name, const QString& path)
    {
        run({QStringLiteral("INSERT INTO DATALIST(REC,GROUPID,DATACODE,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,"
                            "CODETYPE,NENDO,VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,UPDATE_LOCK,GASSAN) "
                            "VALUES(%1,%2,'','%3','','%4',0,0,0,1,0,0,0,'',0,0)")
                 .arg(rec).arg(core::SystemDef.GROUPID).arg(name, path)});
    }

    std::unique_ptr<TDataSentakuBox> open(int syoriType = 0)
    {
        auto box = std::make_unique<TDataSentakuBox>();
        box->SetModuleParams(
            core::ModuleLaunchParams(QStringLiteral("SyoriType=%1\r\nManualFree=1").arg(syoriType), true));
        box->ShowBox2 = [this](controls::TMessage2InfoRec& info) {
            boxes << info.Lines[0].Text;
            return int(core::mrOk);
        };
        box->ShowDetailBox = [this](const controls::TMessageInfoRec& info) {
            details << info;
            return detailAnswer;
        };
        box->Prepare(1);
        // The rows take what their folders hold.
        for (int rec : {kSource, kTarget})
            if (const int row = rowOf(*box, rec); row >= 0)
                DataListRefresh(*box, row);
        return box;
    }

    static int rowOf(TDataSentakuBox& box, int rec)
    {
        for (int r = 0; r < box.Grid->RowCount(); ++r)
            if (box.Grid->RowValue(r) == rec && box.List.GetRowRec(*box.Grid, r).RowNo == 0)
                return r;
        return -1;
    }

    void press(TDataSentakuBox& box, int rec)
    {
        box.Grid->SetRow(rowOf(box, rec));
        box.SetFKeyCaptions();
        box.Keys[fkF2]->click();
    }

    QString registryName(int rec)
    {
        return rows(QStringLiteral("SELECT ENTTEXT FROM DATALIST WHERE REC=%1").arg(rec)).value(0);
    }
    int childRows(int rec)
    {
        return rows(QStringLiteral("SELECT COUNT(*) FROM CHILD_DATALIST WHERE REC=%1").arg(rec)).value(0).toInt();
    }
    static int state(const QString& path)
    {
        return platform::TIniFile(companydata::TDataInfomation::IniFileName(path))
            .ReadInteger(QStringLiteral("DATASTS"), QStringLiteral("STATUS"), -1);
    }
    // Every file below the folder but the information file (a database changes its bytes
    // whenever it is opened; what it holds is compared through its rows).
    static QStringList fingerprint(const QString& path)
    {
        QStringList out;
        QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            if (QFileInfo(file).fileName() == QStringLiteral("qmacc.ini"))
                continue;
            out << QDir(path).relativeFilePath(file);
        }
        out.sort();
        return out;
    }

    QStringList boxes;
    QList<controls::TMessageInfoRec> details;
    int detailAnswer = core::mrOk;
};

} // namespace opstest
