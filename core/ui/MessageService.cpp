#include "core/ui/MessageService.h"

#include "core/errors/ConnectionLoss.h"

#include <QDebug>

namespace core {

namespace {

// The answer nobody gave: Cancel, No or OK, whichever the message offers first.
int cautiousAnswer(const MessageRequest& request) {
    for (MessageButton cautious : {mbCancel, mbNo, mbOK})
        if (request.buttons & cautious)
            return ModalResultOf(cautious);
    return mrCancel;
}

class NonInteractiveMessageService final : public MessageService {
public:
    int showMessage(const MessageRequest& request) override {
        qWarning().noquote() << "message without a dialog:" << request.caption << request.text << request.detail;
        return cautiousAnswer(request);
    }
    std::optional<QString> askText(const TextRequest& request) override {
        qWarning().noquote() << "prompt without a dialog:" << request.caption << request.prompt;
        return std::nullopt;
    }
};

NonInteractiveMessageService& fallbackService() {
    static NonInteractiveMessageService service;
    return service;
}

MessageService* installed = nullptr;

// Once the program is ending on a fatal database error (core/errors/ConnectionLoss.h) nothing
// more is shown: the answer is Cancel, No or OK.
int deliver(const MessageRequest& request);

} // namespace

int ModalResultOf(MessageButton button) {
    switch (button) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbNoToAll: return mrNoToAll;
    case mbYesToAll: return mrYesToAll;
    case mbHelp: return mrNone;
    }
    return mrNone;
}

MessageService* setMessageService(MessageService* service) {
    MessageService* previous = installed;
    installed = service;
    return previous;
}

MessageService& messageService() {
    return installed ? *installed : fallbackService();
}

int showMessage(MessageKind kind, const QString& text, MessageButtons buttons, MessageButtons defaultButton,
                const QString& caption) {
    MessageRequest request;
    request.kind = kind;
    request.caption = caption;
    request.text = text;
    request.buttons = buttons;
    request.defaultButton = defaultButton;
    return deliver(request);
}

int showMessageWithDetailText(MessageKind kind, const QString& text, const QString& detail, const QString& caption) {
    MessageRequest request;
    request.kind = kind;
    request.caption = caption;
    request.text = text;
    request.detail = detail;
    return deliver(request);
}

std::optional<QString> askPassword(const QString& caption, const QString& prompt, int maxLength) {
    TextRequest request;
    request.caption = caption;
    request.prompt = prompt;
    request.password = true;
    request.maxLength = maxLength;
    return askText(request);
}

std::optional<QString> askText(const TextRequest& request) {
    if (ProgramEnding())
        return std::nullopt;
    return messageService().askText(request);
}

namespace {

int deliver(const MessageRequest& request) {
    if (ProgramEnding())
        return cautiousAnswer(request);
    return messageService().showMessage(request);
}

} // namespace

} // namespace core
