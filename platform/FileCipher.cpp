#include "platform/FileCipher.h"

#include <stdexcept>

namespace platform {

const char* const kPassPhrasePrefix = "TX4417";

void EncryptFile(const QString&, const QString&, const QString&) { throw std::runtime_error("not available yet"); }
void DecryptFile(const QString&, const QString&, const QString&) { throw std::runtime_error("not available yet"); }

} // namespace platform
