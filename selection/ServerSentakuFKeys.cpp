#include "selection/ServerSentakuFKeys.h"

namespace selection {

TServerFKeyResult ServerFKeyCaptions(const TServerFKeyState& s)
{
    TServerFKeyResult r;
    TFKeyCaptions& c = r.Captions;
    c = {QStringLiteral("ESC:ｷｬﾝｾﾙ"), QStringLiteral("F1:ヘルプ"), QStringLiteral("F2:コピー"), QStringLiteral("F3:"),
         QStringLiteral("F4:領域追加"), QStringLiteral("F5:ﾃﾞｰﾀ削除"), QStringLiteral("F6:"), QStringLiteral("F7:"),
         QStringLiteral("F8:印刷"), QStringLiteral("F12:選択")};
    if (s.GridFocused) {
        r.Hint = !s.DriveSet ? shNoDrive : (!s.HasRows ? shNoArea : shSelect);
        if (s.HasCurrentRow) {
            r.KeyMode = 1;
            if (s.CopyMarked) {
                r.KeyMode = 2;
                c[fkF2] = QStringLiteral("F2:貼り付け");
                r.Hint = shPaste;
            }
            if (s.Cloud)
                c[fkF3] = BareCaption(fkF3), c[fkF4] = BareCaption(fkF4), c[fkF7] = BareCaption(fkF7);
            if (s.Gassan == 10) {
                c[fkF2] = BareCaption(fkF2), c[fkF5] = BareCaption(fkF5), c[fkF12] = BareCaption(fkF12);
                r.F12Enabled = false;
            }
            if (s.FreeArea && !s.CopyMarked)
                c[fkF2] = BareCaption(fkF2);
            if (s.InUse) {
                if (s.CopyMarked)
                    c[fkF2] = BareCaption(fkF2);
                c[fkF5] = BareCaption(fkF5);
            }
            if (s.Broken) {
                if (r.KeyMode == 1)
                    c[fkF2] = BareCaption(fkF2);
                c[fkF12] = BareCaption(fkF12);
            }
        }
    }
    if (!s.GridEnabled || !s.PanelEnabled) {
        r.KeyMode = 0;
        c[fkF8] = BareCaption(fkF8);
        c[fkF12] = BareCaption(fkF12);
    }
    if (r.KeyMode == 0) {
        for (int k = fkF2; k <= fkF7; ++k)
            c[k] = BareCaption(k);
        if (s.DriveSet)
            c[fkF4] = QStringLiteral("F4:領域追加");
    }
    return r;
}

QString ServerGridHint(TServerGridHint hint)
{
    switch (hint) {
    case shSelect:
        return QStringLiteral("［ENTER］又はﾀﾞﾌﾞﾙｸﾘｯｸ又は［F12］で選択します。|"
                              "［ENTER］又はﾀﾞﾌﾞﾙｸﾘｯｸ又は［F12］で共有ﾃﾞｰﾀを選択します。\r\n"
                              "［F2］でﾃﾞｰﾀのｺﾋﾟｰ、［F4］でﾃﾞｰﾀ領域の追加、［F5］でﾃﾞｰﾀの削除を行います。");
    case shNoDrive:
        return QStringLiteral("|[共有割当]ボタンよりネットワーク上の共有フォルダをドライブに割り当てて下さい。");
    case shNoArea: return QStringLiteral("|［F4］でﾃﾞｰﾀ領域を作成してください。");
    case shPaste:
        return QStringLiteral("貼り付け先を選択して［F2］を押します。|"
                              "貼り付け先のﾃﾞｰﾀ領域を選択して［F2］を押します。［ESC］でｺﾋﾟｰを取り消します。");
    case shNone: break;
    }
    return {};
}

QString ServerDriveHint(const QString& shareDir)
{
    return QStringLiteral("共有ﾃﾞｰﾀのあるﾄﾞﾗｲﾌﾞを選択します。|"
                          "共有フォルダ「%1」のあるﾄﾞﾗｲﾌﾞを選択します。選択したﾄﾞﾗｲﾌﾞの共有ﾃﾞｰﾀが表示されます。")
        .arg(shareDir);
}

} // namespace selection
