#pragma once
// The script of a company step whose SQL is built in: the company frame of the version (no
// character-set line, short MEMO, version row after the SQL) and the step's files in order.

#include "dbupgrade/runner/UpdateScript.h"

#include <QStringList>

namespace dbupgrade {

// stepFiles: names below the built-in "company/" folder, e.g. "0.3.1.sql".
UpdateScript CompanyScript(int major, int minor1, int minor2, const QStringList& stepFiles = {});

} // namespace dbupgrade
