#include "controls/edits/Cp932LimitValidator.h"

#include "platform/Cp932.h"

namespace controls {

QValidator::State Cp932LimitValidator::validate(QString& input, int& pos) const {
    if (limit_ > 0 && platform::cp932Length(input) > limit_)
        return Invalid;
    return Acceptable;
}

} // namespace controls
