#include "core/session/Vocabulary.h"

namespace core {

const std::array<QString, 10> JobStatusText = {
    QStringLiteral(" 他のユーザーが実行中です。《書込が制限されます。》"),
    QStringLiteral(" 他のユーザーが実行中です。"),
    QStringLiteral(" 他のユーザーがログインしています。,,（排他アクセスが必要です）"),
    QStringLiteral(" 実行中の処理画面を閉じてください。"),
    QStringLiteral(" マスターの同時編集はできません。,,（実行中のジョブがみつかりました）"),
    QString(), QString(), QString(), QString(), QString(),
};

const std::array<QString, 4> TerminalKindName = {
    QString(), QStringLiteral("GO-Global"), QStringLiteral("RDS"), QStringLiteral("XenDesktop")};

const std::array<QString, 13> FunctionKeyLabel = {
    QStringLiteral("ESC:"), QStringLiteral("F1:"), QStringLiteral("F2:"), QStringLiteral("F3:"),
    QStringLiteral("F4:"),  QStringLiteral("F5:"), QStringLiteral("F6:"), QStringLiteral("F7:"),
    QStringLiteral("F8:"),  QStringLiteral("F9:"), QStringLiteral("F10:"), QStringLiteral("F11:"),
    QStringLiteral("F12:")};

const std::array<QString, 3> TaxShortMark = {QStringLiteral("込"), QStringLiteral("抜"), QStringLiteral("－")};
const std::array<QString, 3> TaxKindName = {QStringLiteral("税込"), QStringLiteral("税抜"), QStringLiteral("税外")};
const QString NoSelectionText = QStringLiteral("選択なし");
const std::array<QString, 2> SignMark = {QStringLiteral("▲"), QStringLiteral("▼")};
const std::array<QString, 2> SignMark2 = {QStringLiteral("⊿"), QStringLiteral("▼")};
const std::array<QString, 2> FontNames = {QStringLiteral("ＭＳ 明朝"), QStringLiteral("ＭＳ ゴシック")};
const std::array<QString, 2> PFontNames = {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("ＭＳ Ｐゴシック")};

const std::array<QString, 6> DataKindName = {
    QStringLiteral("法人"),         QStringLiteral("個人(一般)"),       QStringLiteral("個人(不動産)"),
    QStringLiteral("医療法人"),     QStringLiteral("個人(クリニック)"), QStringLiteral("個人(農業)")};

const std::array<QString, 3> CorpWholeName = {
    QStringLiteral("法人全体"), QStringLiteral("総体"), QStringLiteral("法人全体")};

const std::array<QString, 5> MedicalBusinessName = {
    QStringLiteral("法人全体"), QStringLiteral("病院・診療所"), QStringLiteral("老人保健施設"),
    QStringLiteral("指定訪問看護"), QStringLiteral("その他の事業")};

const QString AllBumonName = QStringLiteral("全部門合計");
const std::array<QString, 2> TaxInOutName = {QStringLiteral("税込"), QStringLiteral("税抜")};
const std::array<QString, 2> TaxInOutTitle = {QStringLiteral("（税込）"), QStringLiteral("（税抜）")};
const std::array<QString, 4> DebitCreditSign = {
    QStringLiteral("借＋"), QStringLiteral("借－"), QStringLiteral("貸＋"), QStringLiteral("貸－")};
const std::array<QString, 2> DebitCreditName = {QStringLiteral("借方"), QStringLiteral("貸方")};

const std::array<QString, 6> SimpleTaxBusinessName = {
    QStringLiteral("第一種事業"), QStringLiteral("第二種事業"), QStringLiteral("第三種事業"),
    QStringLiteral("第四種事業"), QStringLiteral("第五種事業"), QStringLiteral("第六種事業")};

const std::array<qint32, 8> SysdefDefaultColor = {
    0xDBDBDB, 0xFFFFFF, 0xDBDBDB, 0xFFFFFF, 0xFFFFFF, 0xE1F0FF, 0x8EC7FF, 0x246BFF};

} // namespace core
