#pragma once
// Parameter blocks for the Firebird client (database, service attachment, service action),
// built with the client's own builder, and the "name=value" lines callers write their
// connection parameters in.

#include "core/db/FbStatus.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <span>

namespace core {

class ParamBlock {
public:
    enum class Kind { Database, ServiceAttach, ServiceStart };
    explicit ParamBlock(Kind kind);

    ParamBlock& tag(unsigned char tag);
    ParamBlock& integer(unsigned char tag, int value);
    ParamBlock& bytes(unsigned char tag, const QByteArray& value);

    const unsigned char* data() const;
    unsigned length() const;

private:
    FbRef<Firebird::IXpbBuilder> builder_;
};

// One line "name=value": the name trimmed and lower-cased, without an "isc_dpb_" prefix.
struct ParamLine {
    QString name;
    QString value;
};
ParamLine splitParamLine(const QString& line);

// A parameter name callers may use, and its tag in the block.
struct ParamName {
    const char* name;
    unsigned char tag;
};

// Adds the lines to the block, values in CP932; blank lines are skipped. A name that is not
// in names, or a value CP932 cannot hold, raises EIBError with errorCode.
void addParamLines(ParamBlock& block, const QStringList& lines, std::span<const ParamName> names, long errorCode);

} // namespace core
