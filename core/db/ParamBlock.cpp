#include "core/db/ParamBlock.h"

#include "platform/Cp932.h"

#include <algorithm>

namespace core {

namespace {

unsigned builderKind(ParamBlock::Kind kind) {
    switch (kind) {
    case ParamBlock::Kind::Database: return Firebird::IXpbBuilder::DPB;
    case ParamBlock::Kind::ServiceAttach: return Firebird::IXpbBuilder::SPB_ATTACH;
    case ParamBlock::Kind::ServiceStart: return Firebird::IXpbBuilder::SPB_START;
    }
    return Firebird::IXpbBuilder::DPB;
}

} // namespace

ParamBlock::ParamBlock(Kind kind)
    : builder_(fbCall([&](Firebird::ThrowStatusWrapper* st) {
          return fbMaster()->getUtilInterface()->getXpbBuilder(st, builderKind(kind), nullptr, 0);
      })) {}

ParamBlock& ParamBlock::tag(unsigned char tag) {
    fbCall([&](Firebird::ThrowStatusWrapper* st) { builder_->insertTag(st, tag); });
    return *this;
}

ParamBlock& ParamBlock::integer(unsigned char tag, int value) {
    fbCall([&](Firebird::ThrowStatusWrapper* st) { builder_->insertInt(st, tag, value); });
    return *this;
}

ParamBlock& ParamBlock::bytes(unsigned char tag, const QByteArray& value) {
    fbCall([&](Firebird::ThrowStatusWrapper* st) {
        builder_->insertBytes(st, tag, value.constData(), unsigned(value.size()));
    });
    return *this;
}

const unsigned char* ParamBlock::data() const {
    return fbCall([&](Firebird::ThrowStatusWrapper* st) { return builder_->getBuffer(st); });
}

unsigned ParamBlock::length() const {
    return fbCall([&](Firebird::ThrowStatusWrapper* st) { return builder_->getBufferLength(st); });
}

ParamLine splitParamLine(const QString& line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    QString name = (eq < 0 ? line : line.left(eq)).trimmed().toLower();
    if (name.startsWith(QLatin1String("isc_dpb_")))
        name = name.mid(8);
    return {name, eq < 0 ? QString() : line.mid(eq + 1)};
}

void addParamLines(ParamBlock& block, const QStringList& lines, std::span<const ParamName> names, long errorCode) {
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        const ParamLine param = splitParamLine(line);
        const auto known = std::find_if(names.begin(), names.end(),
                                        [&](const ParamName& n) { return param.name == QLatin1String(n.name); });
        if (known == names.end())
            throw layerError(errorCode, QStringLiteral("接続パラメータ「%1」は使えません。").arg(line));
        try {
            block.bytes(known->tag, platform::toCp932(param.value));
        } catch (const platform::EncodingError& e) {
            throw layerError(errorCode, QString::fromUtf8(e.what()));
        }
    }
}

} // namespace core
