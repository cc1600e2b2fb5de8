#pragma once
// The shared texts of the accounting vocabulary (index from 0) and the default colours of a
// new operator settings row.

#include <QString>
#include <QtGlobal>

#include <array>

namespace core {

extern const std::array<QString, 10> JobStatusText;
extern const std::array<QString, 4> TerminalKindName;   // "", "GO-Global", "RDS", "XenDesktop"
extern const std::array<QString, 13> FunctionKeyLabel;  // "ESC:", "F1:" .. "F12:"
extern const std::array<QString, 3> TaxShortMark;       // 込 抜 －
extern const std::array<QString, 3> TaxKindName;        // 税込 税抜 税外
extern const QString NoSelectionText;                   // 選択なし
extern const std::array<QString, 2> SignMark;           // ▲ ▼
extern const std::array<QString, 2> SignMark2;          // ⊿ ▼
extern const std::array<QString, 2> FontNames;
extern const std::array<QString, 2> PFontNames;
extern const std::array<QString, 6> DataKindName;
extern const std::array<QString, 3> CorpWholeName;
extern const std::array<QString, 5> MedicalBusinessName;
extern const QString AllBumonName;                      // 全部門合計
extern const std::array<QString, 2> TaxInOutName;
extern const std::array<QString, 2> TaxInOutTitle;
extern const std::array<QString, 4> DebitCreditSign;
extern const std::array<QString, 2> DebitCreditName;
extern const std::array<QString, 6> SimpleTaxBusinessName;
extern const std::array<qint32, 8> SysdefDefaultColor;

} // namespace core
