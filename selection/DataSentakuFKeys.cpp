#include "selection/DataSentakuFKeys.h"

#include "companydata/DataListRec.h"
#include "companydata/DataSentakuListCtl.h"

namespace selection {

QString BareCaption(int key)
{
    switch (key) {
    case fkEsc: return QStringLiteral("ESC:");
    case fkF12: return QStringLiteral("F12:");
    default: return QStringLiteral("F%1:").arg(key);
    }
}

bool IsBareCaption(int key, const QString& caption) { return caption == BareCaption(key); }

TFKeyCaptions DefaultCaptions()
{
    return {QStringLiteral("ESC:ｷｬﾝｾﾙ"), QStringLiteral("F1:ヘルプ"), QStringLiteral("F2:コピー"),
            QStringLiteral("F3:新規作成"), QStringLiteral("F4:割当解除"), QStringLiteral("F5:ﾃﾞｰﾀ削除"),
            QStringLiteral("F6:保存"), QStringLiteral("F7:復元"), QStringLiteral("F8:印刷"),
            QStringLiteral("F12:選択")};
}

QString PasteGridHint()
{
    return QStringLiteral("貼り付け先を選択して［F2］を押します。|貼り付け先を選択して［F2］を押します。\r\n"
                          "ｺﾋﾟｰ処理を中断する場合は［ESC］を押します。");
}

namespace {

void Blank(TFKeyCaptions& c, std::initializer_list<int> keys)
{
    for (int k : keys)
        c[k] = BareCaption(k);
}

bool IsFreeOrNewArea(const TFKeyRow& r)
{
    return (r.EntText == companydata::kFreeAreaName && companydata::IsParentKind(r.Gassan))
        || r.EntText == companydata::kNewAreaName;
}

bool HasProperName(const TFKeyRow& r)
{
    return !r.EntText.isEmpty() && r.EntText != companydata::kFreeAreaName
        && r.EntText != companydata::kNewAreaName;
}

// Rule 2 for the focused row r.
void RowCaptions(const TFKeyState& s, TFKeyCaptions& c)
{
    const TFKeyRow& r = s.Row;
    if (s.CloudShareMode && r.HasCloudLine)
        Blank(c, {fkF3});
    if (s.ConnectMode == 1 || s.ConnectMode == 2) {
        if (r.HasName) {
            Blank(c, {fkF3});
            if (s.ConnectMode == 1)
                c[fkF3] = QStringLiteral("F3:持ち出し");
        } else {
            if (!s.PastePending)
                Blank(c, {fkF2});
            Blank(c, {fkF5, fkF6});
        }
        return;
    }
    if (s.ConnectMode != 0)
        return;
    if (r.Shared) {
        if (!r.Fetched) {
            Blank(c, {fkF2, fkF3, fkF5, fkF7});
            if (r.Gassan == companydata::kGassanBunsan)
                Blank(c, {fkF2, fkF4, fkF5});
            if (s.AutoShareBoxVisible && !s.AutoShareSwitch)
                Blank(c, {fkF12});
        } else {
            Blank(c, {fkF3, fkF4, fkF5});
            if (IsFreeOrNewArea(r)) {
                c[fkF3] = QStringLiteral("F3:新規作成");
                c[fkF4] = QStringLiteral("F4:割当解除");
            }
            if (r.Gassan == companydata::kGassanGassan)
                c[fkF3] = QStringLiteral("F3:分散追加");
            else if (r.ParentGassan == companydata::kGassanGassan && r.Gassan == companydata::kGassanBunsan)
                c[fkF5] = QStringLiteral("F5:ﾃﾞｰﾀ削除");
        }
        return;
    }
    Blank(c, {fkF4});
    if (r.HasName) {
        Blank(c, {fkF3});
        if (r.Gassan == companydata::kGassanGassan)
            c[fkF3] = QStringLiteral("F3:分散追加");
        else if (r.ParentGassan == companydata::kGassanHonsiten && r.Gassan == companydata::kGassanBunsan)
            Blank(c, {fkF5});
    } else {
        if (!s.PastePending)
            Blank(c, {fkF2});
        Blank(c, {fkF5, fkF6});
    }
}

} // namespace

TFKeyResult SetFKeyCaptions(const TFKeyState& s)
{
    TFKeyResult out;
    out.FetchEnabled = s.FetchEnabled;
    out.StoreEnabled = s.StoreEnabled;
    out.CloudEnabled = s.CloudEnabled;
    TFKeyCaptions& c = out.Captions;

    // 1. Defaults by mode and processing type.
    c = DefaultCaptions();
    if (s.ConnectMode == 1 || s.ConnectMode == 2)
        c[fkF4] = QStringLiteral("F4:領域追加");
    if (s.SyoriType == 2 || s.SyoriType == 4)
        Blank(c, {fkF3});

    // 2. The focused row.
    out.KeyState = 0;
    if (s.GridFocused) {
        out.SetHints = true;
        if (s.HasCurrentRow) {
            out.KeyState = s.PastePending ? 2 : 1;
            c[fkF2] = s.PastePending ? QStringLiteral("F2:貼り付け") : QStringLiteral("F2:コピー");
            out.PasteHint = s.PastePending;
            RowCaptions(s, c);
        }
    }

    // 3. The shared and cloud buttons.
    if (out.KeyState == 1) {
        const TFKeyRow& r = s.Row;
        if (!s.AutoShareBoxChecked) {
            if (!r.Shared) {
                out.FetchEnabled = !r.HasName;
                out.StoreEnabled = false;
            } else if (HasProperName(r)) {
                out.FetchEnabled = !r.Fetched;
                out.StoreEnabled = r.Fetched;
            } else {
                out.FetchEnabled = out.StoreEnabled = false;
            }
        }
        out.CloudEnabled = true;
        if (r.Broken) {
            Blank(c, {fkF2, fkF3, fkF4, fkF6, fkF12});
            out.StoreEnabled = false;
            out.CloudEnabled = false;
        }
        if (r.VerMajor == 0)
            out.CloudEnabled = false;
    } else {
        out.FetchEnabled = out.StoreEnabled = false;
        if (out.KeyState == 0)
            out.CloudEnabled = false;
    }

    // 4. A disabled grid or key panel.
    if (!s.GridEnabled || !s.PanelEnabled) {
        out.KeyState = 0;
        Blank(c, {fkF8, fkF12});
    }
    // 5. No usable row.
    if (out.KeyState == 0)
        Blank(c, {fkF2, fkF3, fkF4, fkF5, fkF6, fkF7});
    // 6. By processing type.
    switch (s.SyoriType) {
    case 3:
        Blank(c, {fkF1, fkF2, fkF3, fkF4, fkF5, fkF6, fkF7, fkF8});
        out.SearchEnabled = false;
        break;
    case 4: Blank(c, {fkF1, fkF2, fkF3, fkF6, fkF7, fkF8}); break;
    case 5: Blank(c, {fkF1, fkF2, fkF3, fkF4, fkF5, fkF6, fkF7, fkF8}); break;
    default: break;
    }
    return out;
}

} // namespace selection
