#pragma once
// The company database's general settings table ACCREG (AGROUP, ACODE, ATYPE, ATEXT): typed
// values by group and item name. A setting that is read for the first time is inserted with
// its default, so it exists in the database from then on. Types and conversions: SettingTypes.h.
//
// Every operation runs on the company transaction DM->IBTransactionDAT: it joins a transaction
// the caller has open and leaves it open; otherwise it starts one and commits it (rolls it back
// on a failure, which then reaches the caller).

#include <QString>
#include <QVariant>

namespace core {

// The value of the item as the type; a missing row is inserted with the type and the default.
// An empty stored text reads as " " (so "文字" gives " " and "整数" 0).
QVariant funcGetAccReg(const QString& group, const QString& key, const QString& type, const QString& defaultText);

// Stores the value's text form of the type, updating the row (its first type stays) or
// inserting it. A type the store does not know is refused with core::Exception before anything
// is written.
void funcPutAccReg(const QString& group, const QString& key, const QString& type, const QVariant& value);

// Removes the row; nothing happens when there is none.
void funcDeleteAccReg(const QString& group, const QString& key);

} // namespace core
