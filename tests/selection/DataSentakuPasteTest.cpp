// F2 copy and paste of the data-selection dialog in stand-alone mode, on copies of the suite's
// sample data set (made once per suite, copied per case): into an empty row, over other data
// with and without the agreement, consolidated data sets with their children, the refused
// pairs and targets, and a copy failing midway that must leave the target as it was.

#include "tests/selection/DataSentakuOpsFixture.h"

#include <gtest/gtest.h>

using namespace selection;
using namespace opstest;

namespace {

class DataSentakuPasteTest : public opstest::OpsTest<DataSentakuPasteTest> {};

enum class Source { Normal, Consolidated };
enum class Target { Empty, Other, Consolidated1, SameRow, Cloud, InsideSource };

} // namespace

TEST_F(DataSentakuPasteTest, PasteTable)
{
    const QString copyName = kSampleName + QStringLiteral("～コピー");
    struct Case {
        const char* name;
        Source source;
        Target target;
        int answer;          // of the comparison box
        bool pasted;
        int detailBoxes;     // comparison or refusal boxes shown
        QString box2;        // the numbered box's first line, if any
        int children;        // the target's child rows afterwards (-1: not looked at)
        QString setting;     // the target's consolidation setting afterwards (empty: not looked at)
        bool failCopy = false;
    } cases[] = {
        {"into an empty row", Source::Normal, Target::Empty, core::mrOk, true, 0, {}, 0, {}},
        {"over another company, agreed", Source::Normal, Target::Other, core::mrOk, true, 1, {}, 0, {}},
        {"over another company, no tick", Source::Normal, Target::Other, core::mrCancel, false, 1, {}, -1, {}},
        {"consolidated into an empty row", Source::Consolidated, Target::Empty, core::mrOk, true, 0, {}, 2,
         QStringLiteral("1,2")},
        {"consolidated over consolidated", Source::Consolidated, Target::Consolidated1, core::mrOk, true, 0, {}, 2,
         QStringLiteral("1,2")},
        {"normal over consolidated refused", Source::Normal, Target::Consolidated1, core::mrOk, false, 1, {}, 1,
         QStringLiteral("1,1")},
        {"consolidated over normal compared", Source::Consolidated, Target::Other, core::mrOk, true, 1, {}, 2,
         QStringLiteral("1,2")},
        {"the same row cancels", Source::Normal, Target::SameRow, core::mrOk, false, 0, {}, -1, {}},
        {"a cloud target", Source::Normal, Target::Cloud, core::mrOk, false, 0,
         QStringLiteral("クラウドシェアデータのため貼り付け処理は行えません。"), -1, {}},
        {"a target inside the source", Source::Normal, Target::InsideSource, core::mrOk, false, 0, {}, -1, {}},
        {"a copy failing midway", Source::Consolidated, Target::Consolidated1, core::mrOk, false, 0, {}, 1,
         QStringLiteral("1,1"), true},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset();
        ++n;
        boxes.clear();
        details.clear();
        messages.messages.clear();
        detailAnswer = c.answer;
        const QString source = c.source == Source::Normal ? copySample(QStringLiteral("s%1").arg(n))
                                                          : consolidated(QStringLiteral("s%1").arg(n), 2);
        addRow(kSource, kSampleName, source);
        QString target = work.filePath(QStringLiteral("t%1").arg(n));
        switch (c.target) {
        case Target::Empty: break;
        case Target::Other:
        case Target::Cloud:
            copySample(QStringLiteral("t%1").arg(n));
            setCompany(target, QStringLiteral("SHOUGOU"), QStringLiteral("別会社"));
            break;
        case Target::Consolidated1: consolidated(QStringLiteral("t%1").arg(n), 1); break;
        case Target::SameRow: target = source; break;
        case Target::InsideSource: target = source + QStringLiteral("/inner"); break;
        }
        // The target's own database is told from a pasted one by its registered name.
        if (QFile::exists(target + QStringLiteral("/qmacc.fdb")) && c.target != Target::SameRow)
            setCompany(target, QStringLiteral("ENTTEXT"), QStringLiteral("元のデータ"));
        if (c.target != Target::SameRow)
            addRow(kTarget, QString(), target);
        auto box = open();
        const int targetRec = c.target == Target::SameRow ? kSource : kTarget;
        ASSERT_GE(rowOf(*box, targetRec), 0);
        if (c.target == Target::Cloud) {
            box->List.CloudShareMode = true;
            box->List.Records[box->Grid->CellInt(colParent, rowOf(*box, kTarget))].Cloud = 1;
        }
        if (c.failCopy) {
            // Copies one file, then fails.
            box->CopyFolder = [](const QString& from, const QString& to) {
                QFile::copy(from + QStringLiteral("/qmacc.fdb"), to + QStringLiteral("/qmacc.fdb"));
                return false;
            };
        }
        const QString nameBefore = registryName(targetRec);
        const int childrenBefore = childRows(targetRec);
        const int stateBefore = state(target);
        const QStringList filesBefore = fingerprint(target);

        press(*box, kSource);
        ASSERT_TRUE(box->PastePending) << messageText().toStdString();
        EXPECT_EQ(state(source), companydata::kDataCopy);
        press(*box, targetRec);

        EXPECT_FALSE(box->PastePending);
        EXPECT_EQ(state(source), companydata::kDataNormal);
        EXPECT_EQ(details.size(), c.detailBoxes);
        EXPECT_EQ(boxes.value(0), c.box2);
        if (c.pasted) {
            EXPECT_EQ(registryName(kTarget), copyName);
            EXPECT_EQ(platform::TIniFile(companydata::TDataInfomation::IniFileName(target))
                          .ReadString(QStringLiteral("DATAINFO"), QStringLiteral("DATALISTNAME"), QString()),
                      copyName);
            EXPECT_EQ(companyValue(target, QStringLiteral("SELECT ENTTEXT FROM ACCDEF1 WHERE REC=1")), copyName);
            EXPECT_EQ(state(target), companydata::kDataNormal);
            EXPECT_EQ(box->List.GetRowRec(*box->Grid, rowOf(*box, kTarget)).EntText, copyName);
        } else {
            EXPECT_EQ(registryName(targetRec), nameBefore);
            EXPECT_EQ(childRows(targetRec), childrenBefore);
            EXPECT_EQ(state(target), stateBefore);
            if (c.target != Target::SameRow) {
                EXPECT_EQ(fingerprint(target), filesBefore);
            }
            if (c.target == Target::Other || c.target == Target::Consolidated1 || c.target == Target::Cloud) {
                EXPECT_EQ(companyValue(target, QStringLiteral("SELECT ENTTEXT FROM ACCDEF1 WHERE REC=1")),
                          QStringLiteral("元のデータ"));
            }
        }
        if (c.children >= 0) {
            EXPECT_EQ(childRows(kTarget), c.children);
        }
        if (!c.setting.isEmpty()) {
            EXPECT_EQ(setting(target), c.setting);
        }
        if (c.target == Target::InsideSource) {
            EXPECT_TRUE(messageText().contains(QStringLiteral("貼付先にコピー元のパスが含まれています。処理を中断します。")));
            EXPECT_FALSE(QFileInfo::exists(target));
        }
        // No work folder of the copy is left beside the target.
        EXPECT_EQ(QDir(work.path()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)
                      .filter(QStringLiteral(".haritsuke")),
                  QStringList());
        box.reset();
    }
}
