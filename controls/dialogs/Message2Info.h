#pragma once
// The record of the general message box TMessageBox2: kind and icon, buttons with optional
// captions, caption, ten coloured lines (a line with a link is clickable) and an optional
// agreement check box. The caller owns the record; ShowMessageBox2 writes the check box's
// final state back into AgreeChecked.

#include "core/ui/MessageService.h"

#include <QString>
#include <QtGlobal>

#include <array>

namespace controls {

struct TMessage2LineRec {
    QString Text;
    qint32 Color = 0; // 0x00BBGGRR
    QString Link;
};

struct TMessage2InfoRec {
    qint32 MsgNo = 0;   // catalogue number; 0 = the record's own texts
    quint8 Kind = 0;    // 0 warning, 1 error, 2 information, 3 confirmation, else no icon
    core::MessageButtons Buttons = core::mbOK;
    std::array<QString, 3> ButtonCaptions; // overrides for the first, second and third shown button
    qint32 DefaultButton = 0;              // position (0 to 2) of the shown button with the focus
    QString Caption;
    std::array<TMessage2LineRec, 10> Lines;
    qint32 AgreeMode = 0; // 0 none; 1 gates the first button; other values: shown without gating
    QString AgreeCaption; // empty or blank: no check box
    bool AgreeChecked = false;
};

inline constexpr qint32 kColorRed = 255;

void InitMessage2Info(quint8 kind, TMessage2InfoRec& info);

// Default caption and modal result of one button kind.
QString DefaultButtonCaption(core::MessageButton button);

// The button kinds of the set in bit order, at most three (the box has three buttons).
QList<core::MessageButton> ShownButtons(core::MessageButtons buttons);

} // namespace controls
