#include "controls/dialogs/ProgramMessageService.h"

#include "controls/buttons/TxCheckBox.h"
#include "controls/dialogs/DialogFont.h"
#include "controls/dialogs/Message2Info.h"
#include "controls/dialogs/TInputDlgBox.h"
#include "controls/dialogs/TMessageBox.h"
#include "controls/dialogs/TMessageBox2.h"
#include "controls/grid/ColorRef.h"

#include <QApplication>
#include <QRegularExpression>
#include <QScreen>

namespace controls {

namespace {

constexpr int kMaxLines = 10;

QStringList splitLines(const QString& text) {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(breaks);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

quint8 kindIndex(core::MessageKind kind) {
    switch (kind) {
    case core::MessageKind::Warning: return 0;
    case core::MessageKind::Error: return 1;
    case core::MessageKind::Information: return 2;
    case core::MessageKind::Confirmation: return 3;
    case core::MessageKind::None: break;
    }
    return 4;
}

QString usualCaption(core::MessageKind kind) {
    TMessage2InfoRec info;
    InitMessage2Info(kindIndex(kind), info);
    return info.Caption;
}

int showDetailBox(const core::MessageRequest& request, const QStringList& lines) {
    TMessageInfoRec info;
    InitMessageInfo(info);
    info.Kind = (request.buttons & core::mbCancel) ? 0 : 1;
    info.Caption = request.caption.isEmpty() ? usualCaption(request.kind) : request.caption;
    const bool alarming = request.kind == core::MessageKind::Error || request.kind == core::MessageKind::Warning;
    info.MainColor = alarming ? kColorRed : 0;
    if (request.detail.isEmpty()) {
        // Too many lines for the message box: the first one leads, the memo holds the rest.
        info.MainText = lines.value(0);
        info.Details = lines.mid(1);
    } else {
        info.MainText = lines.join(QLatin1Char('\n'));
        info.Details << QStringLiteral("[詳細情報]") << splitLines(request.detail);
    }
    return ShowMessageBox(info);
}

} // namespace

int ProgramMessageService::showMessage(const core::MessageRequest& request) {
    const core::MessageButtons buttons = request.buttons ? request.buttons : core::MessageButtons(core::mbOK);
    QStringList lines = splitLines(request.text);
    const bool okOrCancelOnly = (buttons & ~core::mbOKCancel) == 0;
    if (okOrCancelOnly && (!request.detail.isEmpty() || lines.size() > kMaxLines)) {
        core::MessageRequest asked = request;
        asked.buttons = buttons;
        return showDetailBox(asked, lines);
    }

    TMessage2InfoRec info;
    InitMessage2Info(kindIndex(request.kind), info);
    if (!request.caption.isEmpty())
        info.Caption = request.caption;
    info.Buttons = buttons;
    if (!request.detail.isEmpty())
        lines << QStringLiteral("[詳細情報]") << splitLines(request.detail);
    if (lines.size() > kMaxLines) {
        // A question with more lines than the box holds: the last line carries the rest.
        lines[kMaxLines - 1] = lines.mid(kMaxLines - 1).join(QLatin1Char(' '));
        lines = lines.mid(0, kMaxLines);
    }
    for (int i = 0; i < lines.size(); ++i)
        info.Lines[size_t(i)].Text = lines.at(i);
    const QList<core::MessageButton> shown = ShownButtons(buttons);
    for (int i = 0; i < shown.size(); ++i)
        if (request.defaultButton & shown.at(i)) {
            info.DefaultButton = i;
            break;
        }
    return ShowMessageBox2(info);
}

std::optional<QString> ProgramMessageService::askText(const core::TextRequest& request) {
    TInputDlgBox box(DialogOwner());
    box.InputMode = request.password ? 1 : 0;
    box.Title = request.caption;
    box.Message = request.prompt;
    box.Value = request.initialText;
    box.MaxLen = request.maxLength;
    box.InputHint = request.hint;
    if (request.promptColor)
        box.MessageColor = fromColorRef(qint32(*request.promptColor));
    if (request.imeOff)
        box.InputImeMode = imClose;
    box.Prepare(1);
    // The switch that shows a masked entry is there only when the prompt asks for it.
    box.btnFuseji->setVisible(request.password && request.showTextButton);
    if (request.centerOnScreen)
        if (QScreen* screen = box.parentWidget() ? box.parentWidget()->screen() : QGuiApplication::primaryScreen())
            box.move(screen->availableGeometry().center() - box.rect().center());
    if (ShowFormModal(box) != core::mrOk)
        return std::nullopt;
    return box.Value;
}

void InstallProgramMessageService() {
    static ProgramMessageService service;
    core::setMessageService(&service);
}

} // namespace controls
