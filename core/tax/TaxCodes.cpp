#include "core/tax/TaxCodes.h"

#include "core/Globals.h"
#include "core/text/SjisText.h"

#include <algorithm>
#include <iterator>

namespace core {

namespace {

struct TaxCodeEntry {
    qint16 code;
    const char* name; // UTF-8, before padding
};

// Every listed code, ascending. The 7xx purchase codes repeat the names of the 5xx codes
// they book the tax of, except 733 and the national-import codes 724-726 and 774-776.
constexpr TaxCodeEntry kTaxCodes[] = {
    {110, "課税売上"},
    {111, "第１種課税売上"},
    {112, "第２種課税売上"},
    {113, "第３種課税売上"},
    {114, "第４種課税売上"},
    {115, "第５種課税売上"},
    {116, "第６種課税売上"},
    {120, "免税売上"},
    {130, "非課税売上"},
    {140, "非課税売上（有価証券）"},
    {150, "非課税売上（輸出等）"},

    {210, "課税売上"},
    {220, "免税売上"},
    {230, "非課税売上"},
    {240, "非課税売上（有価証券）"},
    {250, "非課税売上（輸出等）"},

    {310, "課税売上"},
    {311, "第１種課税返還"},
    {312, "第２種課税返還"},
    {313, "第３種課税返還"},
    {314, "第４種課税返還"},
    {315, "第５種課税返還"},
    {316, "第６種課税返還"},
    {320, "免税売上"},
    {330, "非課税売上"},
    {340, "非課税売上（有価証券）"},
    {350, "非課税売上（輸出等）"},

    {410, "課税売上"},
    {420, "免税売上"},
    {430, "非課税売上"},
    {440, "非課税売上（有価証券）"},
    {450, "非課税売上（輸出等）"},

    {511, "課税売上対応課税仕入"},
    {512, "共通売上対応課税仕入"},
    {513, "非課売上対応課税仕入"},
    {521, "課税売上対応課税輸入"},
    {522, "共通売上対応課税輸入"},
    {523, "非課売上対応課税輸入"},
    {531, "課税売上対応調整（棚卸）"},
    {532, "共通売上対応調整（棚卸）"},
    {533, "非課税売上対調整（棚卸）"},
    {540, "非課税仕入"},
    {551, "課税売上対応特定課税仕入"},
    {552, "共通売上対応特定課税仕入"},
    {553, "非課売上対応特定課税仕入"},
    {561, "課税売上対応課税仕入返還"},
    {562, "共通売上対応課税仕入返還"},
    {563, "非課売上対応課税仕入返還"},
    {571, "課税売上対応課税輸入返還"},
    {572, "共通売上対応課税輸入返還"},
    {573, "非課売上対応課税輸入返還"},
    {581, "課税売上対応特定仕入返還"},
    {582, "共通売上対応特定仕入返還"},
    {583, "非課売上対応特定仕入返還"},

    {610, "売上"},
    {611, "第１種課税売上"},
    {612, "第２種課税売上"},
    {613, "第３種課税売上"},
    {614, "第４種課税売上"},
    {615, "第５種課税売上"},
    {616, "第６種課税売上"},
    {620, "貸倒回収"},
    {630, "返還"},
    {631, "第１種課税返還"},
    {632, "第２種課税返還"},
    {633, "第３種課税返還"},
    {634, "第４種課税返還"},
    {635, "第５種課税返還"},
    {636, "第６種課税返還"},
    {640, "貸倒"},

    {711, "課税売上対応課税仕入"},
    {712, "共通売上対応課税仕入"},
    {713, "非課売上対応課税仕入"},
    {721, "課税売上対応課税輸入"},
    {722, "共通売上対応課税輸入"},
    {723, "非課売上対応課税輸入"},
    {724, "課税売上対応課税輸入(国)"},
    {725, "共通売上対応課税輸入(国)"},
    {726, "非課売上対応課税輸入(国)"},
    {731, "課税売上対応調整（棚卸）"},
    {732, "共通売上対応調整（棚卸）"},
    {733, "非課売上対応調整（棚卸）"},
    {761, "課税売上対応課税仕入返還"},
    {762, "共通売上対応課税仕入返還"},
    {763, "非課売上対応課税仕入返還"},
    {771, "課税売上対応課税輸入返還"},
    {772, "共通売上対応課税輸入返還"},
    {773, "非課売上対応課税輸入返還"},
    {774, "課税売対課税輸入返還(国)"},
    {775, "共通売対課税輸入返還(国)"},
    {776, "非課売対課税輸入返還(国)"},

    {810, "課税対象外・不課税"},
    // The blanks after 区分未定 begin with six full-width spaces.
    {910, "区分未定　　　　　　"},
};

// Group names by the hundreds digit.
constexpr const char* kGroupNames[] = {
    "", "売上", "貸倒回収", "返還", "貸倒", "仕入", "仮受", "仮払", "課税対象外", "区分未定",
};

const TaxCodeEntry* findTaxCode(qint32 code)
{
    const auto found = std::lower_bound(std::begin(kTaxCodes), std::end(kTaxCodes), code,
                                        [](const TaxCodeEntry& entry, qint32 c) { return entry.code < c; });
    return found != std::end(kTaxCodes) && found->code == code ? found : nullptr;
}

bool inRange(qint32 code, qint32 low, qint32 high)
{
    return code >= low && code <= high;
}

// The codes that carry one of the six business classes of simplified taxation.
bool isBusinessClassCode(qint32 code)
{
    return inRange(code, 111, 116) || inRange(code, 311, 316) || inRange(code, 611, 616) || inRange(code, 631, 636);
}

qint32 salesClassOf(qint32 code)
{
    if (code == 110 || code == 310 || code == 610 || code == 630)
        return 1;
    return isBusinessClassCode(code) ? 2 : 0;
}

qint32 taxableKindOf(qint32 code)
{
    if (inRange(code, 110, 116) || code == 210 || inRange(code, 310, 316) || code == 410)
        return 1;
    if (code / 100 == 5 && code != 540)
        return 2;
    return 0;
}

qint32 sideClassOf(qint32 code)
{
    const qint32 group = code / 100;
    if (group == 1 || group == 2 || inRange(code, 561, 583) || inRange(code, 610, 620) || inRange(code, 761, 776))
        return 3;
    if (group == 3 || group == 4 || inRange(code, 511, 553) || inRange(code, 630, 640) || inRange(code, 711, 733))
        return 1;
    return 0;
}

} // namespace

void NormalizeTaxCode(qint32& code)
{
    if (AccInf.TAXKANNI == 1) {
        if (code == 110 || code == 310 || code == 610 || code == 630)
            code += AccInf.TAXJIGYOU;
        return;
    }
    if (isBusinessClassCode(code))
        code = code / 10 * 10;
}

bool GetTaxCodeName(qint32 code, QString& groupName, QString& name, qint32& salesClass, qint32& taxableKind,
                    qint32& sideClass)
{
    const TaxCodeEntry* entry = findTaxCode(code);
    if (!entry) {
        groupName = QStringLiteral("Error") + SpaceStr(15);
        name = QStringLiteral(" ");
        salesClass = 9;
        taxableKind = 0;
        sideClass = 0;
        return false;
    }
    groupName = QString::fromUtf8(kGroupNames[code / 100]);
    name = LeftStrB(QString::fromUtf8(entry->name), kTaxCodeNameBytes);
    salesClass = salesClassOf(code);
    taxableKind = taxableKindOf(code);
    sideClass = sideClassOf(code);
    return true;
}

bool IsTokuteiSiireTaxCode(qint32 code)
{
    return inRange(code, 551, 553) || inRange(code, 581, 583);
}

} // namespace core
