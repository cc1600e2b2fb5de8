#pragma once
// The launch interface of the framework's module forms. The host program creates a form by
// its module name (ModuleRegistry.h), hands it the launch parameters and runs it.

#include <QStringList>

namespace core {

class IModuleForm {
public:
    virtual ~IModuleForm() = default;

    // Shows the form modally and returns its dialog result, or shows it without waiting;
    // -1 means nothing was done.
    virtual int RunModule(bool modal) = 0;

    // The launch parameters as "name=value" lines, the last one "FormStyle=%d".
    virtual void SetModuleParams(const QStringList& params) = 0;
};

} // namespace core
