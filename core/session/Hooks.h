#pragma once
// Services that the host program's main form lends to the shared framework. Each is empty
// until the host installs it and is cleared when the host's main form goes away; a caller
// invokes a hook only when it is set.

#include <QString>
#include <QVariant>
#include <QtGlobal>

#include <functional>

namespace core {

// (code, name) → answer. Code 10: number of other processing windows; code 11 with
// "TessaroMenu": the value kept in SystemDef.HostMenuState; code 4: a notification.
using THostMenuHook = std::function<int(int code, const QString& name)>;

// (module name, modal 0/1, "name=value" lines) → the module's run result; -1 when nothing
// was started.
using TLaunchModuleHook = std::function<int(const QString& moduleName, int modal, const QString& params)>;

// (host, data folder, quiet, out result): result non-zero when the data set's company
// database passed verification, 0 when it is damaged.
using TDataCheckHook =
    std::function<void(const QString& host, const QString& dataFolder, int quiet, QVariant& result)>;

// Status texts of a host: index 0 company name and period text, index 1 the usual facility.
using THostStatusHook =
    std::function<void(quint8 index, const QString& text, bool branchManagement, const QString& text2)>;

// A host refreshes its display (called with (0, 0) and (1, 0)).
using THostRefreshHook = std::function<void(quint8 index, int value)>;

// A host shows a status caption.
using THostCaptionHook = std::function<void(quint8 index)>;

} // namespace core
