#pragma once
// Runs a My Number operation on the company database of a data set (see MyNumberIO.h).

#include <QString>

#include <functional>

namespace companydata {

// False, without running the work, when the file does not exist or cannot be connected, or when
// the company database is connected to another data set.
bool WorkOnMyNumberDataSet(const QString& host, const QString& databaseFile, const std::function<void()>& work);

} // namespace companydata
