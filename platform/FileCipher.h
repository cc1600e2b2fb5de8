#pragma once
// The file cipher of the data exchange: PBKDF2-HMAC-SHA256 and AES-256-GCM, streamed. The format
// is described in README.md ("Archive and cipher formats").

#include <QString>

namespace platform {

// Enciphers/deciphers a whole file; the output is renamed into place only after completion (and,
// deciphering, after the tag checked). Throws std::runtime_error on failure (wrong pass phrase,
// damaged input, I/O), leaving no output file.
void EncryptFile(const QString& source, const QString& target, const QString& passPhrase);
void DecryptFile(const QString& source, const QString& target, const QString& passPhrase);

// The constant prefix of every archive pass phrase (two capitals and four digits); sender and
// receiver share it.
extern const char* const kPassPhrasePrefix;

} // namespace platform
