#pragma once
// The stored form of the two My Number settings "＃KEY" and "＃VALUE" of ACCREG.
//
// This is an obfuscation, NOT encryption: it only keeps the management password from being
// readable at a glance in the settings table. Anybody with this source can decode it.
//
// Encoding: the text's CP932 bytes b[0] … b[n-1]; each byte is XORed with the byte
// k[i mod m] of the fixed key text kMyNumberCodecKey (ASCII, m bytes) and with (i × 37 + 11)
// mod 256; every result is written as two upper-case hexadecimal digits. The output is
// therefore printable ASCII of exactly 2n characters, and the empty text stays empty.
// Decoding reverses the steps; a text that is not an even run of hexadecimal digits is refused.

#include <QString>

namespace companydata {

inline constexpr char kMyNumberCodecKey[] = "TaxlinkMyNumber";

QString EncodeMyNumberSetting(const QString& text);
// core::Exception when the stored text is not of the encoded form.
QString DecodeMyNumberSetting(const QString& stored);

} // namespace companydata
