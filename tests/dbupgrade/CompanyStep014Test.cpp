// Company step 0.1.4 on a 法人 base through the real isql-fb: the per-branch table gone and
// an older template replaced by the default one.

#include "dbupgrade/company/CompanyStep014.h"
#include "dbupgrade/runner/RunUpdateScript.h"
#include "dbupgrade/runner/UpdateFiles.h"

#include "core/db/Sjis0208.h"
#include "tests/core/QtPrinters.h"
#include "tests/dbupgrade/UpgradeTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace upgradetest;

TEST(CompanyStep014Test, TemplateReplacedAndBranchTableRemoved)
{
    UpgradeSession session;
    session.installCompanyBase(CompanyKind::Houjin);
    const QString db = session.companyFile();
    execute(db, {QStringLiteral(u"INSERT INTO CASHFMST (CM_REC, CM_KIND, CM_NAME1) VALUES (500, 1, '旧い行')"),
                 QStringLiteral("INSERT INTO CASHFMKU (CF_REC, CM_REC, CF_KCODE) VALUES (0, 500, '1110')"),
                 QStringLiteral("SET GENERATOR CASHFMST_GEN TO 77")});
    ASSERT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM CASHFMST_SISETU")), QStringLiteral("2"));

    ASSERT_EQ(dbupgrade::RunCompanyStep014(), dbupgrade::kStepDone)
        << readCp932File(dbupgrade::ErrDataupTxtFile()).toStdString();
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'CASHFMST_SISETU'")),
              QStringLiteral("0"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) || '|' || MIN(CM_REC) || '|' || MAX(CM_REC) || '|' || "
                                            "SUM(IIF(CM_KIND = 1, 1, 0)) FROM CASHFMST")),
              QStringLiteral("102|1|102|59"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) || '|' || MIN(CF_REC) || '|' || MAX(CF_REC) || '|' || "
                                            "SUM(IIF(CM_REC <= 59, 1, 0)) FROM CASHFMKU")),
              QStringLiteral("502|1|502|220"));
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT GEN_ID(CASHFMST_GEN, 0) || '|' || GEN_ID(CASHFMKU_GEN, 0) FROM RDB$DATABASE")),
              QStringLiteral("0|502"));
    // Line 65 (other operating payments) holds the eleven accounts 5609 to 5619.
    EXPECT_EQ(queryValue(db, QStringLiteral("SELECT COUNT(*) FROM CASHFMKU WHERE CM_REC = 65 AND CF_KCODE BETWEEN '5609' "
                                            "AND '5619'")),
              QStringLiteral("11"));
    // 3316 feeds only the direct layout's other financing payments.
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT CM_REC, TRIM(CF_CAL), CF_CTYPE FROM CASHFMKU WHERE CF_KCODE = '3316' AND CM_REC IN (54, 97)")),
              QStringList({QStringLiteral("97|-|3")}));
    EXPECT_EQ(queryRows(db, QStringLiteral("SELECT CM_REC, CM_DEL, CM_MKU, CM_NAME1 FROM CASHFMST WHERE CM_REC IN (2, 60, 101) "
                                           "ORDER BY CM_REC")),
              QStringList({QStringLiteral(u"2|1|1|税引前当期純利益（損失）"),
                           QStringLiteral(u"60|1|1|Ｉ　営業活動によるキャッシュ・フロー"),
                           QStringLiteral(u"101|1|0|ＶＩ　現金及び現金同等物の期首残高")}));
    // Every caption reads back within JIS X 0208.
    for (const QString& caption : queryRows(db, QStringLiteral("SELECT CM_NAME1 FROM CASHFMST"))) {
        EXPECT_FALSE(caption.contains(QChar(0xFFFD))) << caption.toStdString();
        EXPECT_NO_THROW(core::checkSjis0208(caption)) << caption.toStdString();
    }
}

} // namespace
