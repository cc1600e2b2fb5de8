#pragma once
// The message service of the running program: messages and questions appear in the program's
// own message boxes, prompts in its input box. The start-up installs it; tests keep their
// recording service.

#include "core/ui/MessageService.h"

namespace controls {

class ProgramMessageService : public core::MessageService {
public:
    // Up to ten lines in TMessageBox2; a detail block, or more lines than that box holds,
    // in the detail message box TMessageBox when the buttons are OK (and Cancel).
    int showMessage(const core::MessageRequest& request) override;
    // The input box in text or password mode.
    std::optional<QString> askText(const core::TextRequest& request) override;
};

// Installs one program-wide ProgramMessageService in place of the non-interactive default.
void InstallProgramMessageService();

} // namespace controls
