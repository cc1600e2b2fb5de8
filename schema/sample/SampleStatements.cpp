#include "schema/sample/SampleStatements.h"

#include "core/Currency.h"
#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "platform/Cp932.h"

#include <QStringList>

namespace schema::sample {

const char* const kikanNote = "令和6年4月1日～令和7年3月31日";

namespace {

struct Note {
    const char* key;
    const char* type;
    const char* value;
};

// Values as the accounting product stores them: dates as day numbers, amounts and shares as
// plain numbers, texts with CR LF between lines.
const Note notes[] = {
    {"ValuationBasisValuationMethodInventories", "文字", "商品：最終仕入原価法による原価法"},
    {"DepreciationMethodFixedAssets", "文字", "有形固定資産：定率法\r\n無形固定資産：定額法"},
    {"RecordingBasisReserves", "文字", "貸倒引当金：法人税法の規定に基づく法定繰入率により計上しています。"},
    {"AccountingMethodConsumptionTaxes", "文字", "税抜方式によっています。"},
    {"DepreciationTangibleAssets", "金額", "3300000"},
    {"NumberSharesIssuanceNewOrdinaryShares-P", "株", "200"},
    {"NumberSharesIssuanceNewOrdinaryShares", "株", "200"},
    {"TypeStocksCashDividend", "文字", "普通株式"},
    {"ResolutionCashDividend", "文字", "令和6年6月27日 定時株主総会"},
    {"TotalDividendCashDividend", "金額", "500000"},
    {"DividendsPerShareCashDividend", "金額", "2500"},
    {"RecordDateCashDividend", "日付", "45382"},
    {"EffectiveDateCashDividend", "日付", "45471"},
    {"ItemNameOtherNotes", "文字", "対象期間"},
    {"ItemDescriptionOtherNotes", "文字", nullptr}, // kikanNote
};

} // namespace

void writeOrdinaryStatements(core::TIBDatabase& company) {
    core::TIBTransaction t;
    t.addDatabase(&company);
    t.startTransaction();

    core::TIBSQL reg(&company, &t);
    reg.sql() << QStringLiteral("INSERT INTO ACCREG(AGROUP,ACODE,ATYPE,ATEXT) VALUES('法人決算書','個別注記表テンプレート','文字','ヂル連動')");
    reg.execSQL();

    core::TIBSQL note(&company, &t);
    note.sql() << QStringLiteral("INSERT INTO KESSAN_CHUKIHYO_RENDO(FRENDO_ID,FXBRL_KEY,FROW_NO,FTYPE,FVALUE)")
               << QStringLiteral("VALUES(1,:FXBRL_KEY,:FROW_NO,:FTYPE,:FVALUE)");
    int row = 0;
    for (const Note& n : notes) {
        note.paramByName(QStringLiteral("FXBRL_KEY")).setString(QString::fromUtf8(n.key));
        note.paramByName(QStringLiteral("FROW_NO")).setInteger(++row);
        note.paramByName(QStringLiteral("FTYPE")).setString(QString::fromUtf8(n.type));
        note.paramByName(QStringLiteral("FVALUE")).setBlobText(QString::fromUtf8(n.value ? n.value : kikanNote));
        note.execSQL();
    }

    // Change reasons; REC 4 is the net income of the year, which the link adds by itself.
    const char* reasons[][2] = {{"1", "剰余金の配当"}, {"2", "利益準備金の積立"}, {"3", "別途積立金の積立"},
                                {"4", "当期純利益"},   {"5", "自己株式の取得"}};
    core::TIBSQL reason(&company, &t);
    reason.sql() << QStringLiteral("INSERT INTO KES_HENDOUKEISAN(REC,SORTKEY,JIYUU) VALUES(:REC,:REC,:JIYUU)");
    for (const auto& r : reasons) {
        reason.paramByName(QStringLiteral("REC")).setInteger(QString::fromUtf8(r[0]).toInt());
        reason.paramByName(QStringLiteral("JIYUU")).setString(QString::fromUtf8(r[1]));
        reason.execSQL();
    }
    // The amounts of the entries of June: the dividend and the legal reserve it requires.
    const struct {
        int rec;
        const char* group;
        qint64 amount;
    } changes[] = {{1, "3340", -500'000}, {2, "3300", 50'000}, {2, "3340", -50'000}};
    core::TIBSQL change(&company, &t);
    change.sql() << QStringLiteral("INSERT INTO KES_HENDOUKAMOKU(REC,GROUPM1,SUBREC,KINGAKU) VALUES(:REC,:GROUPM1,1,:KINGAKU)");
    for (const auto& c : changes) {
        change.paramByName(QStringLiteral("REC")).setInteger(c.rec);
        change.paramByName(QStringLiteral("GROUPM1")).setString(QString::fromUtf8(c.group));
        change.paramByName(QStringLiteral("KINGAKU")).setCurrency(core::Currency::fromInt(c.amount));
        change.execSQL();
    }

    // The link's assignments: account lines by statement group and line number, reasons by REC.
    const QStringList settings = {
        QStringLiteral("[HJ_株主資本等変動計算書]"),
        QStringLiteral("SakuseiKubun=1"),
        QStringLiteral("HJ21_Kamoku_31001=資本金"),
        QStringLiteral("HJ21_Kamoku_32001=資本準備金"),
        QStringLiteral("HJ21_Kamoku_33001=利益準備金"),
        QStringLiteral("HJ21_Kamoku_33201=その他利益剰余金"),
        QStringLiteral("HJ21_Kamoku_33401=繰越利益剰余金"),
        QStringLiteral("HJ21_Kamoku_34001=自己株式"),
        QStringLiteral("HJ21_Jiyuu_1=剰余金の配当"),
        QStringLiteral("HJ21_Jiyuu_2=※※　独自事由　※※"),
        QStringLiteral("HJ21_Jiyuu_3=※※　独自事由　※※"),
        QStringLiteral("HJ21_Jiyuu_4=当期純利益"),
        QStringLiteral("HJ21_Jiyuu_5=自己株式の取得"),
        QString(),
        QStringLiteral("[HJ_総勘定元帳]"),
        QStringLiteral("SakuseiKubun=1"),
    };
    core::TIBSQL blob(&company, &t);
    blob.sql() << QStringLiteral("INSERT INTO ACCREG_BLOB_BINARY(FGROUP,FKEY,FTYPE,FVALUE) VALUES('ヂル連動','設定情報','メモ',:FVALUE)");
    blob.paramByName(QStringLiteral("FVALUE")).setBlob(platform::toCp932(settings.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    blob.execSQL();
    t.commit();
}

} // namespace schema::sample
