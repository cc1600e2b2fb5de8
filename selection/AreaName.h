#pragma once
// The rule for the name of a data area that an operator types (data selection and shared-data
// selection alike).
#include <QString>

namespace selection {

// A folder name that stays inside its data place and that the file system and the drive map
// can hold: none of \ / : * ? " < > | and not only dots.
bool IsSafeAreaName(const QString& name);

} // namespace selection
