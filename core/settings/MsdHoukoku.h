#pragma once
// The medical-corporation report settings MSD_HOUKOKU (MDGROUP, MDCODE, MDTYPE, MDTEXT1) and the
// two questions the medical-corporation statements ask of them.

#include <QString>
#include <QVariant>

namespace core {

// As funcGetAccReg on MSD_HOUKOKU; only 文字, 論理, 日付, 整数 and 金額 are converted, any
// other type reads as "Data Type Error". Joins a company transaction the caller has open and
// leaves it open; a transaction it started itself it commits (rolls back on a failure).
QVariant funcGetMsdHoukoku(const QString& group, const QString& key, const QString& type, const QString& defaultText);

// 法人概要 / 財団社団 is "財団", or 法人概要 / 医療法人 is "社会" or "特定".
bool IsFoundationOrSpecialMedicalCorp();

// 法人概要 / 基金 (default "無") is "有".
bool HasMedicalCorpFund();

} // namespace core
