#include "UdrFramework.h"

namespace taxlink_udr {

void describe(Status* status, Firebird::IMetadataBuilder* builder, const std::vector<Field>& fields) {
    unsigned index = 0;
    for (const Field& field : fields) {
        builder->setType(status, index, field.type);
        if (field.type == SQL_BLOB)
            builder->setSubType(status, index, 0);
        builder->setLength(status, index, field.length);
        if (field.type == SQL_VARYING)
            builder->setCharSet(status, index, field.charSet);
        if (field.type == SQL_LONG)
            builder->setScale(status, index, 0);
        ++index;
    }
    Firebird::IMessageMetadata* metadata = builder->getMetadata(status);
    bool same = metadata->getCount(status) == fields.size();
    index = 0;
    for (const Field& field : fields) {
        if (!same)
            break;
        same = metadata->getOffset(status, index) == field.offset && metadata->getNullOffset(status, index) == field.nullOffset;
        ++index;
    }
    metadata->release();
    if (!same) {
        static const ISC_STATUS error[] = {isc_arg_gds, isc_random, isc_arg_string,
                                           ISC_STATUS("taxlink_udr: message layout differs from the engine's"),
                                           isc_arg_end};
        throw Firebird::FbException(status, error);
    }
}

} // namespace taxlink_udr
