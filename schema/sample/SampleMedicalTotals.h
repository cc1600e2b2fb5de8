#pragma once
// The total lines of the medical-corporation statements (ACCTOTALNAME with MB_JIGYOU): 53
// lines at their row (ARRAYNUM) in ascending group order, each collecting the accounts whose
// group lies between the previous line's group and its own. MB_JIGYOU tells the business
// kinds a line belongs to: 16 the whole corporation, 8 hospital and clinic, 4 health
// facility for the elderly, 2 home-visit nursing, 1 other businesses.

namespace core {
class TIBDatabase;
}

namespace schema::sample {

void writeMedicalTotalNames(core::TIBDatabase& company);

} // namespace schema::sample
