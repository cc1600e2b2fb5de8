#pragma once
// A message service for tests: it answers from a script and records every message and prompt,
// so that code which asks the user runs without a window. Install it for one test with
// ScopedMessageService. An unscripted message is answered with its default button (or the
// first button shown); an unscripted prompt is answered as cancelled.

#include "core/ui/MessageService.h"

#include <QList>
#include <QString>

#include <deque>
#include <optional>

namespace testsupport {

class RecordingMessageService : public core::MessageService {
public:
    QList<core::MessageRequest> messages;
    QList<core::TextRequest> prompts;
    std::deque<int> answers;                      // modal results, used in order
    std::deque<std::optional<QString>> textAnswers;

    int showMessage(const core::MessageRequest& request) override {
        messages << request;
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        const core::MessageButtons preferred = request.defaultButton ? request.defaultButton : request.buttons;
        for (quint16 bit = 1; bit != 0 && bit <= core::mbHelp; bit = quint16(bit << 1))
            if (preferred & bit)
                return core::ModalResultOf(core::MessageButton(bit));
        return core::mrNone;
    }

    std::optional<QString> askText(const core::TextRequest& request) override {
        prompts << request;
        if (textAnswers.empty())
            return std::nullopt;
        std::optional<QString> answer = textAnswers.front();
        textAnswers.pop_front();
        return answer;
    }

    QStringList texts() const {
        QStringList out;
        for (const core::MessageRequest& m : messages)
            out << m.text;
        return out;
    }
};

// Installs a service for the lifetime of the object and puts the previous one back.
class ScopedMessageService {
public:
    explicit ScopedMessageService(core::MessageService& service) : previous_(core::setMessageService(&service)) {}
    ~ScopedMessageService() { core::setMessageService(previous_); }
    ScopedMessageService(const ScopedMessageService&) = delete;
    ScopedMessageService& operator=(const ScopedMessageService&) = delete;

private:
    core::MessageService* previous_;
};

} // namespace testsupport
