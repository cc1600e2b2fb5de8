#pragma once
// Start of the print library: page counters reset, the printer object made, the component's
// entries installed. Run once at program start (and by tests); until then the preview and
// printing entries do nothing.

namespace print {

void InitPrintLibrary();
bool PrintLibraryInitialised();

} // namespace print
