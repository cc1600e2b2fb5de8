#include "core/settings/SysDefRegItems.h"

#include "core/Exception.h"
#include "core/session/SystemDef.h"
#include "core/settings/SettingTypes.h"
#include "core/settings/SysReg.h"

namespace core {

namespace {

// Item names (SCODE).
namespace item {
const QString NextFieldMove = QStringLiteral("次項目移動区分");
const QString KamokuDigits = QStringLiteral("科目コード桁数");
const QString HojoDigits = QStringLiteral("補助コード桁数");
const QString BumonDigits = QStringLiteral("部門コード桁数");
const QString DateFocus = QStringLiteral("仕訳日付フォーカス");
const QString LedgerLastBalance = QStringLiteral("元帳最終行残高出力区"); // Reserve4 switch 6
const QString TrialTotalOut = QStringLiteral("試算表集計出力区分");
const QString LedgerOneLine = QStringLiteral("元帳１行出力区分");
const QString LedgerTagMark = QStringLiteral("元帳付箋マーク出力区");
const QString AssocExtract = QStringLiteral("連想辞書抽出条件区分");
const QString LedgerTitleOut = QStringLiteral("元帳タイトル出力区分");
const QString BsPageBreak = QStringLiteral("試算表ＢＳ改ページ区");
const QString TrialTitleOut = QStringLiteral("試算表タイトル出力区");
const QString TrialPeriodOut = QStringLiteral("試算表期間出力区分");
const QString TrialTitle = QStringLiteral("試算表タイトル");
const QString TrialTitle2 = QStringLiteral("２期試算表タイトル");
const QString AllBsTitle = QStringLiteral("全科目ＢＳタイトル");
const QString AllAssetTitle = QStringLiteral("全科目資産タイトル");
const QString AllLiabilityTitle = QStringLiteral("全科目負債タイトル");
const QString AllPlTitle = QStringLiteral("全科目ＰＬタイトル");
const QString A4AssetTitle = QStringLiteral("定形A4資産タイトル");
const QString A4LiabilityTitle = QStringLiteral("定形A4負債タイトル");
const QString A4PlTitle = QStringLiteral("定形A4ＰＬタイトル");
const QString A4SgaTitle = QStringLiteral("定形A4販売費タイトル");
const QString A3BsTitle = QStringLiteral("定形A3ＢＳタイトル");
const QString A3PlTitle = QStringLiteral("定形A3ＰＬタイトル");
const QString DataCheck = QStringLiteral("データ破損チェック区");
const QString ServerDataPlace = QStringLiteral("サーバのデータの場所");
const QString TekiyoEditMode = QStringLiteral("摘要項目の編集モード");
const QString TekiyoInput = QStringLiteral("摘要項目の入力区分");
const QString TorihikiInput = QStringLiteral("取引先項目の入力区分");
const QString BackRuling = QStringLiteral("裏面の罫線印刷区分");
const QString TaxCodePrint = QStringLiteral("消費税コード印刷区分");
const QString BillOffset = QStringLiteral("決算書手形相殺区分");
const QString SgaInclude = QStringLiteral("決算書販売費組入区分");
const QString TrialRowAdjust = QStringLiteral("試算表行数調整区分");
const QString AssocCodeInput = QStringLiteral("連想辞書コード入力区");
const QString AssocListOrder = QStringLiteral("連想辞書リスト並び順");
const QString TekiyoDicOpen = QStringLiteral("摘要＿辞書開く区分");
const QString TekiyoAssocOpen = QStringLiteral("摘要＿連想開く区分");
const QString TekiyoAutoOpen = QStringLiteral("摘要＿自動開く区分");
const QString TekiyoNoInput = QStringLiteral("摘要＿入力なし区分");
const QString TorihikiDicOpen = QStringLiteral("取引先＿辞書開く区分");
const QString TorihikiAssocOpen = QStringLiteral("取引先＿連想開く区分");
const QString TorihikiAutoOpen = QStringLiteral("取引先＿自動開く区分");
const QString TorihikiNoInput = QStringLiteral("取引先＿入力なし区分");
const QString MakeTotalRow = QStringLiteral("試算表製造集計行出区");
} // namespace item

// The eight dictionary switches in the order they are written and read: 摘要 dictionary,
// association, automatic, no input; then the same four of 取引先.
const QString* const kDictionaryItems[] = {&item::TekiyoDicOpen,   &item::TekiyoAssocOpen,   &item::TekiyoAutoOpen,
                                           &item::TekiyoNoInput,   &item::TorihikiDicOpen,   &item::TorihikiAssocOpen,
                                           &item::TorihikiAutoOpen, &item::TorihikiNoInput};

qint32 TSystemDef::* const kDictionaryFields[] = {
    &TSystemDef::TekiyoDicOpen,   &TSystemDef::TekiyoAssocOpen,   &TSystemDef::TekiyoAutoOpen,
    &TSystemDef::TekiyoNoInput,   &TSystemDef::TorihikiDicOpen,   &TSystemDef::TorihikiAssocOpen,
    &TSystemDef::TorihikiAutoOpen, &TSystemDef::TorihikiNoInput};

// Reads and writes for one session code, inside the caller's transaction: the store reports
// nothing there and a failure arrives as an exception, so the invalid and false results of a
// store that ran on its own transaction cannot occur; they are refused all the same.
class Items {
public:
    explicit Items(qint32 opcode) : opcode_(opcode) {}

    qint32 number(const QString& name, const QString& defaultText) const {
        return checked(funcGetSysReg(name, kTypeSeisuu, opcode_, defaultText), name).toInt();
    }
    qint32 number(const QString& name, qint32 defaultValue) const {
        return number(name, QString::number(defaultValue));
    }
    QString text(const QString& name, const QString& defaultText) const {
        return checked(funcGetSysReg(name, kTypeMoji, opcode_, defaultText), name).toString();
    }
    void put(const QString& name, qint32 value) const { put(name, kTypeSeisuu, value); }
    void put(const QString& name, const QString& value) const { put(name, kTypeMoji, value); }

private:
    static const QVariant& checked(const QVariant& value, const QString& name) {
        if (!value.isValid())
            throw Exception(QStringLiteral("システム共通変数「%1」を取得できませんでした。").arg(name));
        return value;
    }
    void put(const QString& name, const QString& type, const QVariant& value) const {
        if (!funcPutSysReg(name, type, opcode_, value))
            throw Exception(QStringLiteral("システム共通変数「%1」を保存できませんでした。").arg(name));
    }

    qint32 opcode_;
};

} // namespace

void WriteFirstLoginSysRegItems(qint32 opcode, bool oemEdition) {
    const Items items(opcode);
    const int standard[] = {1, 0, 1, 0, 1, 0, 1, 0};
    for (size_t i = 0; i < std::size(kDictionaryItems); ++i)
        items.put(*kDictionaryItems[i], standard[i]);
    if (!oemEdition)
        return;
    items.put(item::NextFieldMove, 1);
    items.put(item::KamokuDigits, 0);
    items.put(item::HojoDigits, 0);
    items.put(item::BumonDigits, 1);
    items.put(item::DateFocus, 1);
    items.put(item::LedgerLastBalance, 1);
    items.put(item::TrialTotalOut, 1);
    items.put(item::LedgerOneLine, 0);
    items.put(item::LedgerTagMark, 0);
    items.put(item::AssocExtract, 1);
    const int oem[] = {0, 1, 1, 0, 1, 0, 0, 0};
    for (size_t i = 0; i < std::size(kDictionaryItems); ++i)
        items.put(*kDictionaryItems[i], oem[i]);
}

void ReadOperatorSysRegItems(TSystemDef& def, bool oemEdition) {
    const Items items(def.OPCODE);

    def.NextFieldMove = 0;
    def.KamokuDigits = 0;
    def.HojoDigits = 0;
    def.BumonDigits = 0;
    def.TrialTotalOut = 0;
    def.LedgerOneLine = 0;
    def.LedgerTagMark = 0;
    def.AssocExtract = 0;
    def.DateFocus = 2;

    if (oemEdition) {
        def.NextFieldMove = items.number(item::NextFieldMove, QStringLiteral("1"));
        def.KamokuDigits = quint8(items.number(item::KamokuDigits, QStringLiteral("0")));
        def.HojoDigits = quint8(items.number(item::HojoDigits, QStringLiteral("0")));
        def.BumonDigits = quint8(items.number(item::BumonDigits, QStringLiteral("1")));
        def.DateFocus = quint8(items.number(item::DateFocus, QStringLiteral("1")));
        def.Reserve4Switch6 = 1;
        def.TrialTotalOut = 1;
        def.LedgerOneLine = items.number(item::LedgerOneLine, QStringLiteral("0"));
        def.LedgerTagMark = items.number(item::LedgerTagMark, QStringLiteral("0"));
        def.AssocExtract = items.number(item::AssocExtract, QStringLiteral("1"));
    }
    def.Reserve4Switch6 = items.number(item::LedgerLastBalance, def.Reserve4Switch6);
    def.TrialTotalOut = items.number(item::TrialTotalOut, def.TrialTotalOut);

    def.LedgerTitleOut = items.number(item::LedgerTitleOut, oemEdition ? 1 : 0);
    def.BsPageBreak = items.number(item::BsPageBreak, oemEdition ? 0 : 1);
    def.TrialTitleOut = items.number(item::TrialTitleOut, oemEdition ? 1 : 0);
    def.TrialPeriodOut = items.number(item::TrialPeriodOut, oemEdition ? 1 : 0);

    def.TrialTitle = items.text(item::TrialTitle, QStringLiteral("試　算　表"));
    def.TrialTitle2 = items.text(item::TrialTitle2, QStringLiteral("２期比較試算表"));
    def.BsTitles[0] = items.text(item::AllBsTitle, QStringLiteral("資産・負債・純資産"));
    def.AssetTitles[0] = items.text(item::AllAssetTitle, QStringLiteral("資産の部"));
    def.LiabilityTitles[0] = items.text(item::AllLiabilityTitle, QStringLiteral("負債・純資産の部"));
    def.PlTitles[0] = items.text(item::AllPlTitle, QStringLiteral("損益"));
    def.BsTitles[1].clear();
    def.SgaTitles[0].clear();
    def.AssetTitles[1] = items.text(item::A4AssetTitle, QStringLiteral("資産の部"));
    def.LiabilityTitles[1] = items.text(item::A4LiabilityTitle, QStringLiteral("負債・純資産の部"));
    def.PlTitles[1] = items.text(item::A4PlTitle, QStringLiteral("損益"));
    def.SgaTitles[1] = items.text(item::A4SgaTitle, QStringLiteral("販売費・一般管理費"));
    def.BsTitles[2] = items.text(item::A3BsTitle, QStringLiteral("資産・負債・純資産"));
    def.AssetTitles[2].clear();
    def.LiabilityTitles[2].clear();
    def.SgaTitles[2].clear();
    def.PlTitles[2] = items.text(item::A3PlTitle, QStringLiteral("損益"));

    def.DataCheck = Items(GroupSysRegOpcode(def.GROUPID)).number(item::DataCheck, QStringLiteral("1"));

    def.ServerDataPlace = items.number(item::ServerDataPlace, QStringLiteral("0"));
    def.TekiyoEditMode = items.number(item::TekiyoEditMode, QStringLiteral("0"));
    def.TekiyoInput = items.number(item::TekiyoInput, QStringLiteral("0"));
    def.TorihikiInput = items.number(item::TorihikiInput, QStringLiteral("0"));
    def.BackRuling = items.number(item::BackRuling, QStringLiteral("0"));
    def.TaxCodePrint = items.number(item::TaxCodePrint, QStringLiteral("1"));
    if (!oemEdition)
        def.TaxCodePrint = 1;
    def.BillOffset = items.number(item::BillOffset, QStringLiteral("0"));
    def.SgaInclude = items.number(item::SgaInclude, QStringLiteral("0"));
    def.TrialRowAdjust = items.number(item::TrialRowAdjust, QStringLiteral("0"));
    def.AssocCodeInput = items.number(item::AssocCodeInput, QStringLiteral("0"));
    def.AssocListOrder = items.number(item::AssocListOrder, QStringLiteral("0"));
    def.LedgerTagMark = items.number(item::LedgerTagMark, def.LedgerTagMark);

    const int defaults[] = {1, 0, 0, 0, 1, 0, 0, 0};
    for (size_t i = 0; i < std::size(kDictionaryItems); ++i)
        def.*kDictionaryFields[i] = items.number(*kDictionaryItems[i], defaults[i]);
    def.MakeTotalRow = items.number(item::MakeTotalRow, QStringLiteral("1"));
}

void WriteOperatorSysRegItems(const TSystemDef& def, bool oemEdition) {
    const Items items(def.OPCODE);
    if (oemEdition) {
        items.put(item::NextFieldMove, def.NextFieldMove);
        items.put(item::KamokuDigits, def.KamokuDigits);
        items.put(item::HojoDigits, def.HojoDigits);
        items.put(item::BumonDigits, def.BumonDigits);
        items.put(item::DateFocus, def.DateFocus);
        items.put(item::LedgerOneLine, def.LedgerOneLine);
        items.put(item::LedgerTagMark, def.LedgerTagMark);
        items.put(item::AssocExtract, def.AssocExtract);
    }
    items.put(item::TrialTotalOut, def.TrialTotalOut);
    items.put(item::LedgerTitleOut, def.LedgerTitleOut);
    items.put(item::BsPageBreak, def.BsPageBreak);
    items.put(item::TrialTitleOut, def.TrialTitleOut);

    items.put(item::TrialTitle, def.TrialTitle);
    items.put(item::TrialTitle2, def.TrialTitle2);
    items.put(item::AllBsTitle, def.BsTitles[0]);
    items.put(item::AllAssetTitle, def.AssetTitles[0]);
    items.put(item::AllLiabilityTitle, def.LiabilityTitles[0]);
    items.put(item::AllPlTitle, def.PlTitles[0]);
    items.put(item::A4AssetTitle, def.AssetTitles[1]);
    items.put(item::A4LiabilityTitle, def.LiabilityTitles[1]);
    items.put(item::A4PlTitle, def.PlTitles[1]);
    items.put(item::A4SgaTitle, def.SgaTitles[1]);
    items.put(item::A3BsTitle, def.BsTitles[2]);
    items.put(item::A3PlTitle, def.PlTitles[2]);

    items.put(item::LedgerLastBalance, def.Reserve4Switch6);
    items.put(item::ServerDataPlace, def.ServerDataPlace);
    items.put(item::TekiyoEditMode, def.TekiyoEditMode);
    items.put(item::TekiyoInput, def.TekiyoInput);
    items.put(item::TorihikiInput, def.TorihikiInput);
    items.put(item::BackRuling, def.BackRuling);
    items.put(item::TaxCodePrint, def.TaxCodePrint);
    items.put(item::BillOffset, def.BillOffset);
    items.put(item::SgaInclude, def.SgaInclude);
    items.put(item::AssocCodeInput, def.AssocCodeInput);
    items.put(item::AssocListOrder, def.AssocListOrder);
    items.put(item::LedgerTagMark, def.LedgerTagMark);
    items.put(item::TrialPeriodOut, def.TrialPeriodOut);
    for (size_t i = 0; i < std::size(kDictionaryItems); ++i)
        items.put(*kDictionaryItems[i], def.*kDictionaryFields[i]);
    items.put(item::MakeTotalRow, def.MakeTotalRow);
}

} // namespace core
