#include "core/ui/MessageService.h"

#include <QDebug>

namespace core {

namespace {

class NonInteractiveMessageService final : public MessageService {
public:
    int showMessage(const MessageRequest& request) override {
        qWarning().noquote() << "message without a dialog:" << request.caption << request.text << request.detail;
        for (MessageButton cautious : {mbCancel, mbNo, mbOK})
            if (request.buttons & cautious)
                return ModalResultOf(cautious);
        return mrCancel;
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
    return messageService().showMessage(request);
}

int showMessageWithDetailText(MessageKind kind, const QString& text, const QString& detail, const QString& caption) {
    MessageRequest request;
    request.kind = kind;
    request.caption = caption;
    request.text = text;
    request.detail = detail;
    return messageService().showMessage(request);
}

std::optional<QString> askPassword(const QString& caption, const QString& prompt, int maxLength) {
    TextRequest request;
    request.caption = caption;
    request.prompt = prompt;
    request.password = true;
    request.maxLength = maxLength;
    return messageService().askText(request);
}

std::optional<QString> askText(const TextRequest& request) {
    return messageService().askText(request);
}

} // namespace core
