#include "controls/dialogs/Message2Info.h"

namespace controls {

void InitMessage2Info(quint8 kind, TMessage2InfoRec& info) {
    info.MsgNo = 0;
    for (QString& caption : info.ButtonCaptions)
        caption.clear();
    info.DefaultButton = 0;
    for (TMessage2LineRec& line : info.Lines)
        line = TMessage2LineRec{};
    info.AgreeMode = 0;
    info.AgreeCaption.clear();
    info.AgreeChecked = false;
    info.Buttons = core::mbOK;
    switch (kind) {
    case 0: info.Kind = 0; info.Caption = QStringLiteral("警告"); break;
    case 1: info.Kind = 1; info.Caption = QStringLiteral("エラー"); break;
    case 2: info.Kind = 2; info.Caption = QStringLiteral("情報"); break;
    case 3:
        info.Kind = 3;
        info.Caption = QStringLiteral("確認");
        info.Buttons = core::mbOKCancel;
        break;
    default: info.Kind = 4; info.Caption.clear(); break;
    }
}

QString DefaultButtonCaption(core::MessageButton button) {
    switch (button) {
    case core::mbYes: return QStringLiteral("はい(&Y)");
    case core::mbNo: return QStringLiteral("いいえ(&N)");
    case core::mbOK: return QStringLiteral("OK(&O)");
    case core::mbCancel: return QStringLiteral("ｷｬﾝｾﾙ(&C)");
    case core::mbAbort: return QStringLiteral("中断(&A)");
    case core::mbRetry: return QStringLiteral("再試行(&R)");
    case core::mbIgnore: return QStringLiteral("無視(&I)");
    case core::mbAll: return QStringLiteral("すべて(&A)");
    case core::mbNoToAll: return QStringLiteral("すべていいえ");
    case core::mbYesToAll: return QStringLiteral("すべてはい");
    case core::mbHelp: return QStringLiteral("ヘルプ(&H)");
    }
    return {};
}

QList<core::MessageButton> ShownButtons(core::MessageButtons buttons) {
    QList<core::MessageButton> shown;
    for (quint16 bit = core::mbYes; bit <= core::mbHelp && shown.size() < 3; bit = quint16(bit << 1))
        if (buttons & bit)
            shown << core::MessageButton(bit);
    return shown;
}

} // namespace controls
