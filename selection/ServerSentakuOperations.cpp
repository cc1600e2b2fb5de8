// The list print of the shared-data selection is not built yet: it reports that it is not
// available and changes nothing.
#include "selection/ServerSentakuBox.h"

#include "core/ui/MessageService.h"

namespace selection {

namespace {
void notYetAvailable()
{
    core::showMessage(core::MessageKind::Information, QStringLiteral("この機能はまだ使用できません。"));
}
} // namespace


void TServerSentakuBox::PrintList() { notYetAvailable(); }


} // namespace selection
