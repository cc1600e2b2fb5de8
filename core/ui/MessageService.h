#pragma once
// Every message box, question and text or password prompt of the program goes through one
// replaceable service. The controls install the service that shows the program's dialogs;
// tests install one that answers from a script and records what was asked, so that no test
// ever waits on a modal window. Until a service is installed, a non-interactive one answers
// every question with its most cautious reply (Cancel, else No, else OK) and every prompt as
// cancelled, and writes the message to the log.

#include <QString>
#include <QtGlobal>

#include <optional>

namespace core {

enum class MessageKind { Warning, Error, Information, Confirmation, None };

// The eleven standard dialog buttons, one bit each in this order.
enum MessageButton : quint16 {
    mbYes = 0x0001,
    mbNo = 0x0002,
    mbOK = 0x0004,
    mbCancel = 0x0008,
    mbAbort = 0x0010,
    mbRetry = 0x0020,
    mbIgnore = 0x0040,
    mbAll = 0x0080,
    mbNoToAll = 0x0100,
    mbYesToAll = 0x0200,
    mbHelp = 0x0400,
};
using MessageButtons = quint16;
inline constexpr MessageButtons mbOKCancel = mbOK | mbCancel;
inline constexpr MessageButtons mbYesNo = mbYes | mbNo;
inline constexpr MessageButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
inline constexpr MessageButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

// The dialog result of the button pressed.
enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
};

// The result a button gives (mbHelp gives mrNone).
int ModalResultOf(MessageButton button);

struct MessageRequest {
    MessageKind kind = MessageKind::Information;
    QString caption;              // window title; empty: the kind's usual title
    QString text;                 // the message; CR separates lines as the program writes them
    QString detail;               // shown as a "[詳細情報]" block under the message when not empty
    MessageButtons buttons = mbOK;
    MessageButtons defaultButton = 0; // one of the buttons; 0: the first one shown
};

struct TextRequest {
    QString caption;
    QString prompt;
    QString initialText;
    bool password = false; // the input is masked
    int maxLength = 0;     // in CP932 bytes; 0 for no limit
    // Further looks of the input box, for the prompts that fix them.
    bool showTextButton = false;     // a button beside a masked input shows its text
    bool imeOff = false;             // the input method starts switched off
    bool centerOnScreen = false;     // centred on the screen rather than on the active window
    std::optional<quint32> promptColor; // 0x00BBGGRR (255 = red); none: the window-text colour
    QString hint;                    // the long help line of the input
};

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the message and returns the ModalResult of the button pressed.
    virtual int showMessage(const MessageRequest& request) = 0;
    // Asks for a text or password; std::nullopt when the user cancels.
    virtual std::optional<QString> askText(const TextRequest& request) = 0;
};

// Installs the service (not owned) and returns the one it replaces; nullptr puts the
// non-interactive default back.
MessageService* setMessageService(MessageService* service);
MessageService& messageService();

// Shortcuts through the installed service.
int showMessage(MessageKind kind, const QString& text, MessageButtons buttons = mbOK,
                MessageButtons defaultButton = 0, const QString& caption = {});
int showMessageWithDetailText(MessageKind kind, const QString& text, const QString& detail,
                              const QString& caption = {});
std::optional<QString> askPassword(const QString& caption, const QString& prompt, int maxLength = 0);
// The text prompt as the request describes it.
std::optional<QString> askText(const TextRequest& request);

} // namespace core
