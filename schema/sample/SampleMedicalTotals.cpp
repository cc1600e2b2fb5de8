#include "schema/sample/SampleMedicalTotals.h"

#include "core/db/IBDatabase.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"

namespace schema::sample {
namespace {

constexpr int all = 255; // every business kind, and the whole corporation (255)
constexpr int hospital = 8 | 16;
constexpr int elderlyCare = 4 | 16;
constexpr int homeNursing = 2 | 16;
constexpr int otherBusiness = 1 | 16;

struct TotalLine {
    int row;
    const char* group;
    const char* plus;
    const char* minus; // the caption of a negative amount; nullptr: the caption does not change
    int jigyou;
};

// Rows 1..24 the balance sheet, 25..53 the profit and loss. Lines 19 (balancing line of the
// net assets), 20 (the year's net profit) and the profit lines are computed, not collected.
// The export reads the statement lines by these group codes: 2280 is its noncurrent-liabilities
// total (2380 would be the reserves under special laws) and 5400 its cost of sales, so the
// material costs (5100) total on 5400 and the lines after it stay above it. The export
// takes 4100-4170 as revenue accounts, so the hospital subtotal sits on 4175, outside that range.
const TotalLine lines[] = {
    {1, "1108", "現金及び預金", nullptr, all},
    {2, "1180", "当座資産合計", nullptr, all},
    {3, "1280", "棚卸資産合計", nullptr, all},
    {4, "1380", "その他の流動資産合計", nullptr, all},
    {5, "1390", "流動資産合計", nullptr, all},
    {6, "1580", "有形固定資産合計", nullptr, all},
    {7, "1680", "無形固定資産合計", nullptr, all},
    {8, "1780", "その他の資産合計", nullptr, all},
    {9, "1790", "固定資産合計", nullptr, all},
    {10, "1880", "繰延資産合計", nullptr, all},
    {11, "1900", "資産合計", nullptr, all},
    {12, "2180", "流動負債合計", nullptr, all},
    {13, "2280", "固定負債合計", nullptr, all},
    {14, "2800", "負債合計", nullptr, all},
    {15, "3180", "出資金合計", nullptr, all},
    {16, "3280", "代替基金合計", nullptr, all},
    {17, "3440", "その他の積立金合計", nullptr, all},
    {18, "3460", "特定目的積立金合計", nullptr, all},
    {19, "3480", "繰越利益積立金", "繰越損失", all},
    {20, "3485", "当期純利益", nullptr, all},
    {21, "3490", "積立金合計", nullptr, all},
    {22, "3580", "評価・換算差額等合計", nullptr, all},
    {23, "3800", "純資産合計", nullptr, all},
    {24, "3900", "負債純資産合計", nullptr, all},
    {25, "4175", "入院・外来診療収益", nullptr, hospital},
    {26, "4180", "医業収益合計", nullptr, hospital},
    {27, "4250", "介護保険施設収益", nullptr, elderlyCare},
    {28, "4300", "介護老人保健施設収益合計", nullptr, elderlyCare},
    {29, "4380", "訪問看護療養費収益", nullptr, homeNursing},
    {30, "4400", "訪問看護事業収益合計", nullptr, homeNursing},
    {31, "4480", "その他の事業収益合計", nullptr, otherBusiness},
    {32, "4500", "事業収益合計", nullptr, all},
    {33, "5400", "材料費合計", nullptr, all},
    {34, "5450", "給与費合計", nullptr, all},
    {35, "5480", "委託費合計", nullptr, all},
    {36, "5680", "設備関係費合計", nullptr, all},
    {37, "5880", "研究研修費合計", nullptr, all},
    {38, "6180", "経費合計", nullptr, all},
    {39, "6780", "控除対象外消費税等", nullptr, all},
    {40, "6880", "本部費配賦額", nullptr, all},
    {41, "6900", "医業費用合計", nullptr, all},
    {42, "6950", "医業利益", "医業損失", all},
    {43, "7180", "医業外収益合計", nullptr, all},
    {44, "7280", "医業外費用合計", nullptr, all},
    {45, "7300", "経常利益", "経常損失", all},
    {46, "8180", "臨時利益合計", nullptr, all},
    {47, "8280", "臨時損失合計", nullptr, all},
    {48, "8300", "税引前当期純利益", "税引前当期純損失", all},
    {49, "9280", "当期純利益", "当期純損失", all},
    {50, "9380", "当期未処分利益", "当期未処理損失", all},
    {51, "9480", "積立金取崩額", nullptr, all},
    {52, "9580", "積立金積立額", nullptr, all},
    {53, "9600", "次期繰越利益", "次期繰越損失", all},
};

} // namespace

void writeMedicalTotalNames(core::TIBDatabase& company) {
    core::TIBTransaction t;
    t.addDatabase(&company);
    t.startTransaction();
    core::TIBSQL q(&company, &t);
    q.sql() << QStringLiteral("INSERT INTO ACCTOTALNAME (REC, KGROUP, KESKUBUN, ARRAYNUM, PLUSNAME, MINUSNAME, MODIFY, ")
            << QStringLiteral("KESSAN_TEXT, KESSAN_USE, MB_JIGYOU) VALUES (:REC, :KGROUP, 0, :ARRAYNUM, :PLUSNAME, ")
            << QStringLiteral(":MINUSNAME, :MODIFY, '', 0, :MB_JIGYOU)");
    for (const TotalLine& l : lines) {
        q.paramByName(QStringLiteral("REC")).setInteger(l.row);
        q.paramByName(QStringLiteral("KGROUP")).setString(QString::fromUtf8(l.group));
        q.paramByName(QStringLiteral("ARRAYNUM")).setInteger(l.row);
        q.paramByName(QStringLiteral("PLUSNAME")).setString(QString::fromUtf8(l.plus));
        q.paramByName(QStringLiteral("MINUSNAME")).setString(QString::fromUtf8(l.minus ? l.minus : ""));
        q.paramByName(QStringLiteral("MODIFY")).setInteger(l.minus ? 1 : 0);
        q.paramByName(QStringLiteral("MB_JIGYOU")).setInteger(l.jigyou);
        q.execSQL();
    }
    t.commit();
}

} // namespace schema::sample
