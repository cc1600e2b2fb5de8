#pragma once
// The system database's typed settings table SYSREG (OPCODE, SCODE, STYPE, STEXT): values by
// operator session code (or GROUPID × 10000 + 9999 for a group-wide item) and item name. A
// setting read for the first time is inserted with its default, so it exists from then on.
//
// Type words and stored texts:
//   "文字" the text itself              → QString
//   "論理" "TRUE" / "FALSE"             → bool (true exactly when the text is "TRUE")
//   "日付" "yyyy/mm/dd", "" for no date  → QDate (null when the text is no date)
//   "整数" decimal                      → qint32 (0 when not a number)
//   "金額" the currency's plain text    → Currency (0 when not a number)
//
// Every operation runs on the system transaction DM->IBTransactionDEF. Inside a transaction
// the caller has open it joins it, and a database error reaches the caller unreported, so that
// the caller's own outcome decides (and one message is shown). Otherwise it starts and commits
// its own; a database error is then reported, rolled back, and signalled by the result.

#include <QString>
#include <QVariant>
#include <QtGlobal>

namespace core {

// The group-wide session code of the group.
inline qint32 GroupSysRegOpcode(qint32 groupId) { return groupId * 10000 + 9999; }

bool IsSysRegType(const QString& type);

// The value of the item as the type ("Data Type Error" for another type word); a missing row is
// inserted with the type and the default. An empty stored text reads as " ". An invalid
// QVariant when the read failed in a transaction of its own (reported).
QVariant funcGetSysReg(const QString& item, const QString& type, qint32 opcode, const QString& defaultText);
QVariant funcGetSysRegOpe(const QString& item, const QString& type, const QString& defaultText);

// Stores the value's text of the type, updating the row (its first type stays) or inserting
// it. A type word outside the five is refused with core::Exception before anything is written.
// False when the write failed in a transaction of its own (reported and rolled back).
bool funcPutSysReg(const QString& item, const QString& type, qint32 opcode, const QVariant& value);
bool funcPutSysRegOpe(const QString& item, const QString& type, const QVariant& value);

// "TRUE" exactly (case matters) is true.
inline bool IsTrueText(const QString& text) { return text == QLatin1String("TRUE"); }
inline QString BoolToTrueFalse(bool value) { return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); }

} // namespace core
