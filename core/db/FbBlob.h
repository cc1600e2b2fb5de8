#pragma once
// Whole-BLOB reads and writes through the Firebird client.

#include <firebird/Interface.h>

#include <QByteArray>

namespace core {

QByteArray readBlob(Firebird::ThrowStatusWrapper* st, Firebird::IAttachment* attachment,
                    Firebird::ITransaction* transaction, ISC_QUAD id);

// Creates a BLOB holding bytes and returns its id, to be stored by the statement.
ISC_QUAD writeBlob(Firebird::ThrowStatusWrapper* st, Firebird::IAttachment* attachment,
                   Firebird::ITransaction* transaction, const QByteArray& bytes);

} // namespace core
