#include "core/modules/ModuleRegistry.h"

#include <QRegularExpression>

namespace core {

void TModuleRegistry::registerForm(const TModuleFormClass& formClass, const QString& moduleName)
{
    for (const TModuleFormClass& known : classes_)
        if (known.identity == formClass.identity)
            return;
    classes_.push_back(formClass);
    names_.append(moduleName);
}

const TModuleFormClass* TModuleRegistry::find(const QString& moduleName) const
{
    for (qsizetype i = 0; i < names_.size(); ++i)
        if (names_[i].compare(moduleName, Qt::CaseInsensitive) == 0)
            return &classes_[static_cast<size_t>(i)];
    return nullptr;
}

std::unique_ptr<IModuleForm> TModuleRegistry::create(const QString& moduleName, QWidget* owner) const
{
    const TModuleFormClass* formClass = find(moduleName);
    if (!formClass || !formClass->create)
        return nullptr;
    return formClass->create(owner);
}

TModuleRegistry& ModuleRegistry()
{
    static TModuleRegistry registry;
    return registry;
}

void RegisterModuleForm(const TModuleFormClass& formClass, const QString& moduleName)
{
    ModuleRegistry().registerForm(formClass, moduleName);
}

QStringList ModuleLaunchParams(const QString& parameterText, bool modal)
{
    // Like a string list given a text: a final line break opens no empty line.
    QStringList lines = parameterText.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    lines.append(QStringLiteral("FormStyle=%1").arg(modal ? 2 : 0));
    return lines;
}

} // namespace core
