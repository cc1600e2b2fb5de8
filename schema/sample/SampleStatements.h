#pragma once
// The statement settings of the sample corporation that the tax-return link reads: the notes
// to the financial statements (KESSAN_CHUKIHYO_RENDO, kind 1, with the notes template set to
// the link), the change reasons of the statement of changes in equity with their amounts
// (KES_HENDOUKEISAN, KES_HENDOUKAMOKU) and the link's equity assignments ("DkRendo.ini" kept
// in ACCREG_BLOB_BINARY).

namespace core {
class TIBDatabase;
}

namespace schema::sample {

void writeOrdinaryStatements(core::TIBDatabase& company);

// The text stored as a note and in a journal description that holds "～" (CP932 0x8160),
// the character Firebird's own SJIS_0208/UTF8 conversion maps differently.
extern const char* const kikanNote;

} // namespace schema::sample
