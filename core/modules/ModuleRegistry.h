#pragma once
// The registry that maps module names ("VxDataSenkaku", "WebMenuL" …) to form classes. The
// program registers its module forms explicitly at start-up (a static library would drop
// self-registering objects); the launcher looks a name up, ignoring case, and creates the form.
//
// A "form class" is a factory plus an identity: registering the same class a second time is
// ignored, whatever name it comes with.

#include "core/modules/IModuleForm.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace core {

struct TModuleFormClass {
    const void* identity = nullptr; // one address per class
    std::function<std::unique_ptr<IModuleForm>(QWidget* owner)> create;
};

// The form class of a type T constructible from its owner: ModuleFormClass<TDataSentakuBox>().
template <typename T>
TModuleFormClass ModuleFormClass()
{
    static const char identity = 0;
    return TModuleFormClass{&identity, [](QWidget* owner) -> std::unique_ptr<IModuleForm> {
                                return std::make_unique<T>(owner);
                            }};
}

// Two parallel lists, entry i of one belonging to entry i of the other; they only grow.
class TModuleRegistry {
public:
    // Appends the class under the name unless the class is already registered.
    void registerForm(const TModuleFormClass& formClass, const QString& moduleName);

    // The class of the first name that equals moduleName ignoring case, or nullptr.
    const TModuleFormClass* find(const QString& moduleName) const;

    // Creates the form of the module with the given owner; nullptr for an unknown name. The
    // caller holds the form; one left open without waiting can be released to its owner.
    std::unique_ptr<IModuleForm> create(const QString& moduleName, QWidget* owner) const;

    qsizetype count() const { return static_cast<qsizetype>(classes_.size()); }
    QStringList moduleNames() const { return names_; }

private:
    std::vector<TModuleFormClass> classes_;
    QStringList names_;
};

// The program's registry.
TModuleRegistry& ModuleRegistry();

void RegisterModuleForm(const TModuleFormClass& formClass, const QString& moduleName);

// The lines handed to SetModuleParams: the parameter text split into lines (CR, LF or CRLF)
// followed by "FormStyle=2" for a modal run, "FormStyle=0" otherwise.
QStringList ModuleLaunchParams(const QString& parameterText, bool modal);

} // namespace core
