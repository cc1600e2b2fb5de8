#pragma once
// The three-digit consumption-tax codes (消費税コード) of a journal-entry side: their group and
// classification names, their class values, and the folding between principle and
// simplified taxation. The hundreds digit of a code is its group.

#include <QString>
#include <QtGlobal>

namespace core {

// Width of a classification name in CP932 bytes; names are padded with half-width blanks.
inline constexpr int kTaxCodeNameBytes = 24;

// Under simplified taxation (AccInf.TAXKANNI 1) the base codes 110, 310, 610 and 630 gain the
// business class (AccInf.TAXJIGYOU); under any other setting the codes of a business class
// (111-116, 311-316, 611-616, 631-636) fold back to their base code. Other codes stay.
void NormalizeTaxCode(qint32& code);

// A listed code fills its group name (売上, 仮払 …), its classification name (24 bytes), its
// sales class (1 base code, 2 business-class code, else 0), its taxable kind (1 taxable
// sales, 2 taxable purchases, else 0) and its side class (3, 1 or 0), and gives true. An
// unlisted code gives the group name "Error" with 15 blanks, the name " ", sales class 9,
// kind and side class 0, and false.
bool GetTaxCodeName(qint32 code, QString& groupName, QString& name, qint32& salesClass, qint32& taxableKind,
                    qint32& sideClass);

// The specific-purchase codes (特定課税仕入れ): 551-553 and 581-583.
bool IsTokuteiSiireTaxCode(qint32 code);

} // namespace core
