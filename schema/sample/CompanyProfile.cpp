#include "schema/sample/CompanyProfile.h"

#include <stdexcept>

namespace schema::sample {
namespace {

constexpr int taxSales = 11;    // 課税売上 10%
constexpr int taxPurchase = 21; // 課税仕入 10%

Account acc(const char* kcode, const char* name, const char* group, int dac, qint64 opening = 0, int tax = 0,
            bool departments = false) {
    Account a;
    a.kcode = QString::fromUtf8(kcode);
    a.name = QString::fromUtf8(name);
    a.groupM1 = QString::fromUtf8(group);
    a.dac = dac;
    a.opening = opening;
    a.taxCode = tax;
    a.departments = departments;
    return a;
}

SubAccount sub(const char* hcode, const char* name, qint64 opening) {
    return {QString::fromUtf8(hcode), QString::fromUtf8(name), opening};
}

// The retained-earnings account takes what makes the opening balances balance.
void balanceOpenings(CompanyProfile& p, const QString& retainedKcode) {
    qint64 debit = 0;
    qint64 credit = 0;
    Account* retained = nullptr;
    for (Account& a : p.accounts) {
        if (a.kcode == retainedKcode) {
            retained = &a;
            continue;
        }
        (a.debitNature() ? debit : credit) += a.totalOpening();
    }
    if (!retained || debit <= credit)
        throw std::logic_error("sample opening balances do not leave retained earnings");
    retained->opening = debit - credit;
}

} // namespace

qint64 Account::totalOpening() const {
    qint64 sum = opening;
    for (const SubAccount& s : subs)
        sum += s.opening;
    return sum;
}

const Account* CompanyProfile::account(const QString& kcode) const {
    for (const Account& a : accounts)
        if (a.kcode == kcode)
            return &a;
    return nullptr;
}

CompanyProfile ordinaryCompany() {
    CompanyProfile p;
    p.kindScript = QStringLiteral("houjin");
    p.dataType = 1;
    p.entName = QStringLiteral("みなと商事 第15期");
    p.shougou = QStringLiteral("株式会社みなと商事");
    p.kana = QStringLiteral("ミナトショウジ");
    p.code = QStringLiteral("1001");
    p.nendo = 15;
    p.kishu = QDate(2024, 4, 1);
    p.kimatu = QDate(2025, 3, 31);
    p.bumon = 1;
    p.departments = {{QStringLiteral("01"), QStringLiteral("東京営業所")}, {QStringLiteral("02"), QStringLiteral("大阪営業所")}};
    p.yakumei1 = QStringLiteral("代表取締役");
    p.yakumei2 = QStringLiteral("取締役");
    p.yakumei3 = QStringLiteral("監査役");

    Account bank = acc("1103", "普通預金", "1110", 1);
    bank.subs = {sub("001", "東都銀行", 8'000'000), sub("002", "中央信用金庫", 4'000'000)};
    Account receivable = acc("1122", "売掛金", "1150", 1);
    receivable.subs = {sub("001", "アルファ商会", 2'500'000), sub("002", "ベータ工業", 1'800'000),
                       sub("003", "ガンマ産業", 700'000)};
    Account payable = acc("2102", "買掛金", "2100", 3);
    payable.subs = {sub("001", "デルタ物産", 1'200'000), sub("002", "イプシロン商事", 900'000)};
    Account allowance = acc("1385", "貸倒引当金", "1300", 2, 50'000);
    allowance.bldac = 1;
    Account depreciation = acc("1405", "減価償却累計額", "1400", 2, 2'400'000);
    depreciation.bldac = 1;
    Account treasury = acc("3401", "自己株式", "3400", 4);
    treasury.bldac = 3;

    p.accounts = {
        acc("1101", "現金", "1110", 1, 500'000),
        acc("1102", "当座預金", "1110", 1, 3'000'000),
        bank,
        acc("1104", "定期預金", "1110", 1, 2'000'000),
        acc("1121", "受取手形", "1150", 1, 600'000),
        receivable,
        acc("1201", "商品", "1200", 1, 6'800'000),
        acc("1301", "前払費用", "1300", 1, 150'000),
        acc("1302", "短期貸付金", "1300", 1, 300'000),
        acc("1305", "立替金", "1300", 1),
        acc("1306", "仮払金", "1300", 1),
        acc("1307", "仮払消費税", "1300", 1),
        allowance,
        acc("1401", "建物", "1400", 1, 5'000'000),
        acc("1402", "建物附属設備", "1400", 1, 800'000),
        acc("1403", "車両運搬具", "1400", 1, 1'500'000),
        acc("1404", "工具器具備品", "1400", 1, 600'000),
        depreciation,
        acc("1406", "土地", "1400", 1, 10'000'000),
        acc("1601", "ソフトウェア", "1600", 1, 300'000),
        acc("1602", "電話加入権", "1600", 1, 80'000),
        acc("1701", "投資有価証券", "1700", 1, 1'000'000),
        acc("1702", "差入保証金", "1700", 1, 500'000),
        acc("2101", "支払手形", "2100", 3, 400'000),
        payable,
        acc("2103", "短期借入金", "2100", 3, 2'000'000),
        acc("2104", "未払金", "2100", 3, 300'000),
        acc("2105", "未払費用", "2100", 3, 200'000),
        acc("2106", "未払法人税等", "2100", 3, 400'000),
        acc("2107", "預り金", "2100", 3, 150'000),
        acc("2108", "仮受消費税", "2100", 3),
        acc("2109", "未払消費税等", "2100", 3, 350'000),
        acc("2201", "役員借入金", "2200", 3, 1'000'000),
        acc("2202", "長期借入金", "2200", 3, 8'000'000),
        acc("2203", "退職給付引当金", "2200", 3, 600'000),
        acc("3101", "資本金", "3100", 3, 10'000'000),
        acc("3201", "資本準備金", "3200", 3, 1'000'000),
        acc("3301", "利益準備金", "3300", 3, 500'000),
        acc("3321", "別途積立金", "3320", 3, 1'000'000),
        acc("3341", "繰越利益剰余金", "3340", 3),
        treasury,
        acc("4101", "売上高", "4100", 3, 0, taxSales, true),
        acc("4102", "売上値引戻り高", "4100", 4, 0, taxSales, true),
        acc("5101", "期首商品棚卸高", "5100", 1),
        acc("5102", "仕入高", "5100", 1, 0, taxPurchase),
        acc("5301", "期末商品棚卸高", "5300", 2),
        acc("6201", "役員報酬", "6100", 1, 0, 0, true),
        acc("6202", "給料手当", "6100", 1, 0, 0, true),
        acc("6203", "法定福利費", "6100", 1, 0, 0, true),
        acc("6204", "減価償却費", "6100", 1, 0, 0, true),
        acc("6205", "地代家賃", "6100", 1, 0, taxPurchase, true),
        acc("6206", "修繕費", "6100", 1, 0, taxPurchase, true),
        acc("6207", "旅費交通費", "6100", 1, 0, taxPurchase, true),
        acc("6208", "通信費", "6100", 1, 0, taxPurchase, true),
        acc("6209", "水道光熱費", "6100", 1, 0, taxPurchase, true),
        acc("6210", "消耗品費", "6100", 1, 0, taxPurchase, true),
        acc("6211", "支払手数料", "6100", 1, 0, taxPurchase, true),
        acc("6212", "租税公課", "6100", 1, 0, 0, true),
        acc("6213", "接待交際費", "6100", 1, 0, taxPurchase, true),
        acc("6214", "福利厚生費", "6100", 1, 0, taxPurchase, true),
        acc("6215", "広告宣伝費", "6100", 1, 0, taxPurchase, true),
        acc("6216", "保険料", "6100", 1, 0, 0, true),
        acc("6217", "雑費", "6100", 1, 0, taxPurchase, true),
        acc("7101", "受取利息", "7100", 3),
        acc("7102", "受取配当金", "7100", 3),
        acc("7103", "雑収入", "7100", 3),
        acc("7201", "支払利息", "7200", 1),
        acc("7202", "雑損失", "7200", 1),
        acc("8101", "固定資産売却益", "8100", 3),
        acc("8201", "固定資産除却損", "8200", 1),
        acc("8301", "法人税住民税及び事業税", "8300", 1),
        acc("8302", "法人税等調整額", "8300", 1),
        acc("9901", "諸口", "9900", 1),
    };
    balanceOpenings(p, QStringLiteral("3341"));
    const char* system[][2] = {{"現金", "1101"},       {"仮払消費税", "1307"}, {"仮受消費税", "2108"},
                               {"繰越利益剰余金", "3341"}, {"諸口", "9901"},       {"受取手形", "1121"}};
    for (const auto& s : system)
        p.systemAccounts.append({QString::fromUtf8(s[0]), QString::fromUtf8(s[1])});
    return p;
}

CompanyProfile medicalCompany() {
    CompanyProfile p;
    p.kindScript = QStringLiteral("iryou");
    p.dataType = 3;
    p.entName = QStringLiteral("けやき会 令和6年度");
    p.shougou = QStringLiteral("医療法人社団けやき会");
    p.kana = QStringLiteral("ケヤキカイ");
    p.code = QStringLiteral("2001");
    p.nendo = 22;
    p.kishu = QDate(2024, 4, 1);
    p.kimatu = QDate(2025, 3, 31);
    p.bumon = 0;
    p.siten = 1;
    p.openingFacility = QStringLiteral("01");
    p.facilities = {{QStringLiteral("01"), QStringLiteral("けやき病院"), 8},
                    {QStringLiteral("02"), QStringLiteral("介護老人保健施設けやき苑"), 4},
                    {QStringLiteral("03"), QStringLiteral("けやき訪問看護ステーション"), 2}};
    p.yakumei1 = QStringLiteral("理事長");
    p.yakumei2 = QStringLiteral("理事");
    p.yakumei3 = QStringLiteral("監事");

    Account bank = acc("1103", "普通預金", "1110", 1);
    bank.subs = {sub("001", "東都銀行", 30'000'000), sub("002", "中央信用金庫", 12'000'000)};
    Account receivable = acc("1121", "医業未収金", "1150", 1);
    receivable.subs = {sub("001", "社会保険診療報酬支払基金", 18'000'000),
                       sub("002", "国民健康保険団体連合会", 14'000'000), sub("003", "患者自己負担", 1'500'000)};
    Account depreciation = acc("1405", "減価償却累計額", "1400", 2, 60'000'000);
    depreciation.bldac = 1;

    p.accounts = {
        acc("1101", "現金", "1110", 1, 800'000),
        bank,
        receivable,
        acc("1201", "医薬品", "1200", 1, 4'000'000),
        acc("1202", "診療材料", "1200", 1, 2'500'000),
        acc("1301", "前払費用", "1300", 1, 600'000),
        acc("1307", "仮払消費税", "1300", 1),
        acc("1401", "建物", "1400", 1, 180'000'000),
        acc("1402", "医療用器械備品", "1400", 1, 45'000'000),
        depreciation,
        acc("1406", "土地", "1400", 1, 50'000'000),
        acc("1701", "差入保証金", "1700", 1, 2'000'000),
        acc("2101", "買掛金", "2100", 3, 6'000'000),
        acc("2104", "未払金", "2100", 3, 3'500'000),
        acc("2106", "未払法人税等", "2100", 3, 1'200'000),
        acc("2107", "預り金", "2100", 3, 2'400'000),
        acc("2108", "仮受消費税", "2100", 3),
        acc("2111", "賞与引当金", "2100", 3, 9'000'000),
        acc("2202", "長期借入金", "2200", 3, 150'000'000),
        acc("2203", "退職給付引当金", "2200", 3, 12'000'000),
        acc("3111", "資本金", "3110", 3, 30'000'000),
        acc("3341", "前期繰越利益", "3340", 3),
        acc("4101", "入院診療収益", "4100", 3),
        acc("4102", "外来診療収益", "4100", 3),
        acc("4103", "介護保険収益", "4100", 3),
        acc("4104", "訪問看護収益", "4100", 3),
        acc("4105", "室料差額収益", "4100", 3, 0, taxSales),
        acc("5101", "医薬品費", "5100", 1, 0, taxPurchase),
        acc("5102", "診療材料費", "5100", 1, 0, taxPurchase),
        acc("5103", "給食用材料費", "5100", 1, 0, taxPurchase),
        acc("6201", "給料", "6100", 1),
        acc("6202", "賞与", "6100", 1),
        acc("6203", "賞与引当金繰入額", "6100", 1),
        acc("6204", "退職給付費用", "6100", 1),
        acc("6205", "法定福利費", "6100", 1),
        acc("6206", "委託費", "6100", 1, 0, taxPurchase),
        acc("6207", "減価償却費", "6100", 1),
        acc("6208", "地代家賃", "6100", 1, 0, taxPurchase),
        acc("6209", "修繕費", "6100", 1, 0, taxPurchase),
        acc("6210", "水道光熱費", "6100", 1, 0, taxPurchase),
        acc("6211", "消耗品費", "6100", 1, 0, taxPurchase),
        acc("6212", "通信費", "6100", 1, 0, taxPurchase),
        acc("6213", "雑費", "6100", 1, 0, taxPurchase),
        acc("7101", "受取利息", "7100", 3),
        acc("7102", "雑収入", "7100", 3),
        acc("7201", "支払利息", "7200", 1),
        acc("8301", "法人税住民税及び事業税", "8310", 1),
        acc("9901", "諸口", "9900", 1),
    };
    balanceOpenings(p, QStringLiteral("3341"));
    const char* system[][2] = {{"現金", "1101"},     {"仮払消費税", "1307"},      {"仮受消費税", "2108"},
                               {"諸口", "9901"},     {"給料", "6201"},            {"賞与", "6202"},
                               {"賞与引当金繰入額", "6203"}, {"退職給付費用", "6204"}, {"前期繰越利益", "3341"}};
    for (const auto& s : system)
        p.systemAccounts.append({QString::fromUtf8(s[0]), QString::fromUtf8(s[1])});
    return p;
}

} // namespace schema::sample
