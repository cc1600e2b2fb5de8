// The operations of the shared-data selection that are not built yet: each reports that it
// is not available and changes nothing.
#include "selection/ServerSentakuBox.h"

#include "core/ui/MessageService.h"

namespace selection {

namespace {
void notYetAvailable()
{
    core::showMessage(core::MessageKind::Information, QStringLiteral("この機能はまだ使用できません。"));
}
} // namespace

int TServerSentakuBox::CopyPaste()
{
    notYetAvailable();
    return 0;
}

void TServerSentakuBox::PrintList() { notYetAvailable(); }


} // namespace selection
