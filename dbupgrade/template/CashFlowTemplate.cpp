#include "dbupgrade/template/CashFlowTemplate.h"

#include "dbupgrade/runner/UpdateScript.h"
#include "dbupgrade/template/RomanNumerals.h"

#include <map>

namespace dbupgrade {

namespace {

// The item lists of the sections.
const char16_t* const kIndirectOperating[] = {
    u"税引前当期純利益（損失）", u"減価償却費", u"貸倒引当金の増加額", u"退職給付引当金の増加", u"賞与引当金の増加額",
    u"その他の引当金の増加額", u"受取利息及び受取配当金", u"支払利息", u"為替換算差損", u"有価証券売却益",
    u"有価証券売却損", u"固定資産売却益", u"固定資産売却損", u"固定資産除却損", u"投資有価証券売却益",
    u"投資有価証券売却損", u"売上債権の増加（減少）額", u"たな卸資産の増加（減少）額", u"仕入債務の減少（増加）額",
    u"未払消費税等の増加（減少）額", u"割引手形の増加（減少）額", u"役員賞与の支払額", u"その他資産・負債の増減額"};
const char16_t* const kDirectOperating[] = {u"営業収入", u"原材料又は商品の仕入れによる支出", u"人件費の支出",
                                            u"その他の営業収入", u"その他の営業支出", u"未払消費税等の増加（減少）額",
                                            u"その他"};
const char16_t* const kOperatingCash[] = {u"利息及び配当金の受取額", u"利息の支払額", u"法人税等の支払額"};
const char16_t* const kInvesting[] = {u"有価証券の取得による支出", u"有価証券の売却による収入",
                                      u"有形固定資産の取得による支出", u"有形固定資産の売却による収入",
                                      u"投資有価証券の取得による支出", u"投資有価証券の売却による収入",
                                      u"貸付けによる支出", u"貸付金の回収による収入", u"その他投資活動による支出",
                                      u"その他投資活動による収入"};
const char16_t* const kFinancing[] = {u"短期借入れによる収入", u"短期借入金の返済による支出", u"長期借入れによる収入",
                                      u"長期借入金の返済による支出", u"社債の発行による収入", u"社債の償還による支出",
                                      u"株式の発行による収入", u"自己株式の売却による収入", u"自己株式の取得による支出",
                                      u"配当金の支払額", u"その他財務活動による収入", u"その他財務活動による支出"};

struct Section {
    int group;
    int del, mku, margin;
    std::vector<QString> captions;
};

template <std::size_t N> std::vector<QString> items(const char16_t* const (&list)[N])
{
    std::vector<QString> out;
    for (const char16_t* item : list)
        out.push_back(QString::fromUtf16(item));
    return out;
}

std::vector<Section> sections(int kind)
{
    const auto one = [](const char16_t* caption) { return std::vector<QString>{QString::fromUtf16(caption)}; };
    return {
        {10, 1, 1, 0, one(u"Ⅰ　営業活動によるキャッシュ・フロー")},
        {11, 0, 0, 1, kind == 1 ? items(kIndirectOperating) : items(kDirectOperating)},
        {12, 1, 1, 2, one(u"小　計")},
        {13, 0, 0, 1, items(kOperatingCash)},
        {15, 1, 1, 2, one(u"営業活動によるキャッシュ・フロー")},
        {20, 1, 1, 0, one(u"Ⅱ　投資活動によるキャッシュ・フロー")},
        {21, 0, 0, 1, items(kInvesting)},
        {25, 1, 1, 2, one(u"投資活動によるキャッシュ・フロー")},
        {30, 1, 1, 0, one(u"Ⅲ　財務活動によるキャッシュ・フロー")},
        {31, 0, 0, 1, items(kFinancing)},
        {35, 1, 1, 2, one(u"財務活動によるキャッシュ・フロー")},
        {40, 1, 1, 0, one(u"Ⅳ　現金及び現金同等物に係る換算差額")},
        {50, 1, 1, 0, one(u"Ⅴ　現金及び現金同等物の増加額")},
        {60, 1, 0, 0, one(u"Ⅵ　現金及び現金同等物の期首残高")},
        {70, 1, 0, 0, one(u"Ⅶ　現金及び現金同等物の期末残高")},
    };
}

// The accounts of a line: runs of "<sign><kind>:<codes>" separated by ";", the codes by ",",
// "a-b" a range of consecutive codes.
struct LineAccounts {
    int indirectRec; // the line in layout 1, 0 = none
    int directRec;   // the line in layout 0, 0 = none
    const char* runs;
};

const char kCash[] = "1101,1102,1103,1104,1105,1112,1113,1114,1115,1116,1132";
const char kOtherInvest[] =
    "1122,1123,1124,1125,1127,1128,1129,1130,1501,1502,1503,1504,1505,1506,1701,1702,1703";
const char kTangibleSale[] =
    "+4:1401,1402,1403,1404,1405,1406,1407,1408,1410,1411,1412;+2:1416;-2:6204;-3:3311";
const char kFinancingOut[] = "2201,2203,2204,2205,2207,2301,2302,3101,3201,3401,3402,3202,3203,3301,3302,3303,3304,3305,"
                             "3312,3315";

std::vector<LineAccounts> lineAccounts()
{
    static const std::string cashOpen = std::string("+0:") + kCash, cashClose = std::string("+1:") + kCash;
    static const std::string otherOut = std::string("-3:") + kOtherInvest, otherIn = std::string("+4:") + kOtherInvest;
    static const std::string saleIndirect = std::string(kTangibleSale) + ";+2:8101;-2:8201,8202";
    static const std::string finOut1 = std::string("-3:") + kFinancingOut + ",3317,3501";
    static const std::string finOut0 = std::string("-3:") + kFinancingOut + ",3316,3317,3501";
    return {
        {2, 0, "+1:9999"},
        {3, 0, "+2:5606,6204"},
        {4, 0, "+2:1320,1620"},
        {6, 0, "+2:2115"},
        {8, 0, "-2:7101,7104"},
        {9, 0, "+2:7201"},
        {11, 0, "-2:7103"},
        {12, 0, "+2:7203"},
        {13, 0, "-2:8101"},
        {14, 0, "+2:8201"},
        {15, 0, "+2:8202"},
        {18, 0, "-2:1141,1142"},
        {19, 0, "-2:1201-1206"},
        {20, 0, "+2:2101,2102"},
        {21, 0, "-2:1307;+2:2108,2112"},
        {22, 0, "+2:2111"},
        {24, 0,
         "-2:1143,1145,1147,1301,1302,1304,1305,1306,1308,1309,1311,1603,1604,1605,1607;"
         "+2:2104,2105,2106,2107,2109,2110,2117,2118,2119,2120,2121;+4:3501"},
        {26, 69, "+2:7101,7104"},
        {27, 70, "-2:7201"},
        {28, 71, "-2:1310,1608;+2:2114,2116,2206;-2:8301-8304"},
        {31, 74, "-3:1146"},
        {32, 75, "+4:1146"},
        {33, 76, "-3:1401-1409;+4:1409;-3:1410-1412;+4:3311"},
        {34, 0, saleIndirect.c_str()},
        {0, 77, kTangibleSale},
        {35, 78, "-3:1602,1601;+4:3309"},
        {36, 79, "+4:1602,1601;-3:3309"},
        {37, 80, "-3:1303,1606"},
        {38, 81, "+4:1303,1606"},
        {39, 82, otherOut.c_str()},
        {40, 83, otherIn.c_str()},
        {43, 86, "+4:2103"},
        {44, 87, "-3:2103"},
        {45, 88, "+4:2202"},
        {46, 89, "-3:2202"},
        {49, 92, "+4:3101;+2:3111;+4:3201"},
        {50, 93, "+4:3313,3314"},
        {51, 94, "-3:3313,3314"},
        {52, 95, "-2:2113"},
        {53, 96, "+4:2201,2203,2204,2205,2207,2301,2302,3401,3402,3202,3203,3301,3302,3303,3304,3305,3312,3315,3316,3317"},
        {54, 0, finOut1.c_str()},
        {0, 97, finOut0.c_str()},
        {58, 101, cashOpen.c_str()},
        {59, 102, cashClose.c_str()},
        {0, 61, "-2:1141,1142;+2:1320;-2:1308;+2:2106,2111,4101-4110;-2:4115"},
        {0, 62, "+2:2101,2102;-2:5201-5210,5215,5402-5405"},
        {0, 63, "+2:2115;+4:3501;-2:5501-5508,6101,6200-6203,6215,6216,6218"},
        {0, 64, "-2:1304;+2:2107,2109,7105,7106"},
        {0, 65,
         "-2:1301,1302,1305,1306,1604,1605,1607;+2:2104,2105;-2:5601-5605,5607,5608,5609-5619,5621,6102-6109,"
         "6205-6214,6217,6219-6225,6231,7206"},
        {0, 66, "-2:1307,1309;+2:2108,2112"},
        {0, 67, "+2:8104;-2:8204"},
    };
}

void appendRuns(std::vector<CashFlowAccount>& out, int lineRec, const QString& runs)
{
    for (const QString& run : runs.split(QLatin1Char(';'))) {
        const QChar sign = run.at(0);
        const int amountKind = run.mid(1, run.indexOf(QLatin1Char(':')) - 1).toInt();
        for (const QString& codes : run.mid(run.indexOf(QLatin1Char(':')) + 1).split(QLatin1Char(','))) {
            const QStringList range = codes.split(QLatin1Char('-'));
            const int first = range.first().toInt(), last = range.last().toInt();
            for (int code = first; code <= last; ++code)
                out.push_back({0, lineRec, sign, QString::number(code), amountKind});
        }
    }
}

CashFlowTemplate buildTemplate()
{
    CashFlowTemplate result;
    std::map<int, QString> runsOfLine;
    for (const LineAccounts& line : lineAccounts()) {
        if (line.indirectRec)
            runsOfLine[line.indirectRec] = QString::fromLatin1(line.runs);
        if (line.directRec)
            runsOfLine[line.directRec] = QString::fromLatin1(line.runs);
    }
    int rec = 0;
    for (const int kind : {1, 0}) {
        const int firstLine = rec + 1;
        for (const Section& section : sections(kind)) {
            int order = 0;
            for (const QString& caption : section.captions) {
                CashFlowLine line{++rec, kind, section.group, ++order, section.del, section.mku, section.margin,
                                  JisRomanNumerals(caption)};
                if (kind == 1 && section.group == 11 && order == 1)
                    line.del = line.mku = 1; // the profit before tax is taken, not entered
                result.lines.push_back(line);
            }
        }
        for (int lineRec = firstLine; lineRec <= rec; ++lineRec) {
            const auto runs = runsOfLine.find(lineRec);
            if (runs != runsOfLine.end())
                appendRuns(result.accounts, lineRec, runs->second);
        }
    }
    for (std::size_t i = 0; i < result.accounts.size(); ++i)
        result.accounts[i].rec = int(i) + 1;
    return result;
}

} // namespace

const CashFlowTemplate& DefaultCashFlowTemplate()
{
    static const CashFlowTemplate cashFlow = buildTemplate();
    return cashFlow;
}

QStringList CashFlowTemplateInserts()
{
    const CashFlowTemplate& cashFlow = DefaultCashFlowTemplate();
    QStringList out;
    for (const int kind : {1, 0}) {
        int firstRec = 0, lastRec = 0;
        for (const CashFlowLine& line : cashFlow.lines) {
            if (line.kind != kind)
                continue;
            if (!firstRec)
                firstRec = line.rec;
            lastRec = line.rec;
            out << QStringLiteral("INSERT INTO CASHFMST (CM_REC, CM_KIND, CM_GROUP, CM_ORDER, CM_DEL, CM_MKU, CM_MARGIN, "
                                  "CM_NAME1, CM_HOSEI) VALUES (%1, %2, %3, %4, %5, %6, %7, %8, 0);")
                       .arg(line.rec)
                       .arg(line.kind)
                       .arg(line.group)
                       .arg(line.order)
                       .arg(line.del)
                       .arg(line.mku)
                       .arg(line.margin)
                       .arg(SqlQuote(line.caption));
        }
        for (const CashFlowAccount& account : cashFlow.accounts) {
            if (account.lineRec < firstRec || account.lineRec > lastRec)
                continue;
            out << QStringLiteral("INSERT INTO CASHFMKU (CF_REC, CM_REC, CF_CAL, CF_KCODE, CF_CTYPE) VALUES (%1, %2, '%3', "
                                  "'%4', %5);")
                       .arg(account.rec)
                       .arg(account.lineRec)
                       .arg(account.sign)
                       .arg(account.kcode)
                       .arg(account.amountKind);
        }
    }
    return out;
}

} // namespace dbupgrade
