#pragma once
// F1 help: opens a page of the HTML manual. The title pages lie in the help folder itself,
// every other page in its "olm.files" folder. The opener is replaceable so that tests see the
// path without starting a browser.

#include <QString>

#include <functional>

namespace core {

using ManualPageOpener = std::function<void(const QString& path)>;

// The path of the page in the manual under helpDir.
QString ManualPagePath(const QString& helpDir, const QString& page);

// Opens the page of the manual in the help folder of the session (SystemDef.HelpDir) with the
// current opener; an empty page does nothing. Failures are not reported. Always 0.
int OpenManualPage(const QString& page);
int OpenManualPage(const QString& page, const QString& helpDir);

// Installs the opener and returns the previous one; an empty opener restores the default,
// which hands the path to the desktop ("xdg-open").
ManualPageOpener SetManualPageOpener(ManualPageOpener opener);

} // namespace core
