#pragma once
// The SQL of the steps, kept as resource files built into the library (":/dbupgrade/steps/...",
// UTF-8). Values from data go in through placeholders "{{NAME}}", filled by the step.

#include <QString>

namespace dbupgrade {

// The text of steps/<path> without its final line end. Throws core::Exception when missing.
QString StepSql(const QString& path);

// The text with every "{{name}}" replaced by value.
QString FillStepSql(QString text, const QString& name, const QString& value);

} // namespace dbupgrade
