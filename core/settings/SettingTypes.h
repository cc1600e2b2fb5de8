#pragma once
// The value types of the typed settings stores (ACCREG, MSD_HOUKOKU): each is named by a type
// word, kept as a text in the store's value column and handed to the caller as a QVariant.
//
//   "文字" the text itself             → QString
//   "論理" "TRUE" / "FALSE"            → bool (true exactly when the upper-cased text is "TRUE")
//   "日付" "yyyy/mm/dd", "" for no date → QDate (null when the text is no date)
//   "整数" decimal                     → qint32 (0 when not a number)
//   "金額" the currency's plain text   → Currency (0 when not a number)
//   "実数" the shortest exact text     → double (0 when not a number); ACCREG only
//   "日時" "yyyy/mm/dd hh:nn:ss"       → QDateTime (null when the text is no date-time); ACCREG only
//
// A reader never fails on a bad stored text; a type the store does not know reads as the text
// "Data Type Error".

#include <QString>
#include <QVariant>

#include <optional>

namespace core {

inline const QString kTypeMoji = QStringLiteral("文字");
inline const QString kTypeRonri = QStringLiteral("論理");
inline const QString kTypeHiduke = QStringLiteral("日付");
inline const QString kTypeSeisuu = QStringLiteral("整数");
inline const QString kTypeKingaku = QStringLiteral("金額");
inline const QString kTypeJissuu = QStringLiteral("実数");
inline const QString kTypeNichiji = QStringLiteral("日時");
inline const QString kDataTypeError = QStringLiteral("Data Type Error");

enum class SettingStore { AccReg, MsdHoukoku };

bool IsSettingType(const QString& type, SettingStore store);

// The stored text read as the type.
QVariant SettingValueFromText(const QString& type, const QString& text, SettingStore store);

// The text that stores the value as the type; nothing for a type the store does not know.
std::optional<QString> SettingTextFromValue(const QString& type, const QVariant& value, SettingStore store);

// The two converters of the stores: "TRUE" in any case is true; true is "TRUE", false "FALSE".
bool TrueFalseStrToBool(const QString& text);

} // namespace core
