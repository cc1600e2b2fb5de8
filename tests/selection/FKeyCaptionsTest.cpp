// The function-key captions as one table over the dialog's states.

#include "selection/DataSentakuFKeys.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace selection;

namespace {

// Captions as one text "ESC F1 … F8 F12", each key's function or "-" when bare.
QString Summary(const TFKeyCaptions& c)
{
    QStringList parts;
    for (int k = 0; k < fkCount; ++k) {
        const QString bare = BareCaption(k);
        parts << (c[k] == bare ? QStringLiteral("-") : c[k].mid(bare.size()));
    }
    return parts.join(QLatin1Char(' '));
}

TFKeyState Focused(int mode, int syori)
{
    TFKeyState s;
    s.ConnectMode = mode;
    s.SyoriType = syori;
    s.GridFocused = true;
    s.HasCurrentRow = true;
    s.Row.HasName = true;
    s.Row.EntText = QStringLiteral("株式会社A");
    s.Row.VerMajor = 15;
    return s;
}

struct Case {
    const char* name;
    TFKeyState state;
    const char* captions;
    int keyState;
};

} // namespace

TEST(FKeyCaptions, TableOverStates)
{
    std::vector<Case> cases;
    {
        TFKeyState s = Focused(0, 0);
        cases.push_back({"stand-alone local row with data", s,
                         "ｷｬﾝｾﾙ ヘルプ コピー - - ﾃﾞｰﾀ削除 保存 復元 印刷 選択", 1});
    }
    {
        TFKeyState s = Focused(0, 0);
        s.Row.HasName = false;
        s.Row.EntText.clear();
        cases.push_back({"stand-alone empty row", s, "ｷｬﾝｾﾙ ヘルプ - 新規作成 - - - 復元 印刷 選択", 1});
        s.PastePending = true;
        cases.push_back({"paste pending on an empty row", s, "ｷｬﾝｾﾙ ヘルプ 貼り付け 新規作成 - - - 復元 印刷 選択", 2});
    }
    {
        TFKeyState s = Focused(0, 0);
        s.Row.Gassan = 1;
        s.Row.ParentGassan = 1;
        cases.push_back({"consolidated parent", s, "ｷｬﾝｾﾙ ヘルプ コピー 分散追加 - ﾃﾞｰﾀ削除 保存 復元 印刷 選択", 1});
        s.Row.Gassan = 10;
        s.Row.ParentGassan = 2;
        cases.push_back({"child of a head-office parent", s, "ｷｬﾝｾﾙ ヘルプ コピー - - - 保存 復元 印刷 選択", 1});
    }
    {
        TFKeyState s = Focused(0, 0);
        s.Row.Shared = true;
        s.AutoShareBoxVisible = true;
        cases.push_back({"shared stored, auto-share off", s, "ｷｬﾝｾﾙ ヘルプ - - 割当解除 - 保存 - 印刷 -", 1});
        s.AutoShareSwitch = true;
        s.Row.Gassan = 10;
        s.Row.ParentGassan = 1;
        cases.push_back({"shared stored child, auto-share on", s, "ｷｬﾝｾﾙ ヘルプ - - - - 保存 - 印刷 選択", 1});
        s.Row.Fetched = true;
        cases.push_back({"shared fetched child of kind 1", s, "ｷｬﾝｾﾙ ヘルプ コピー - - ﾃﾞｰﾀ削除 保存 復元 印刷 選択", 1});
        s.Row.Gassan = 0;
        s.Row.ParentGassan = 0;
        s.Row.EntText = QStringLiteral("空き領域");
        cases.push_back({"shared fetched free area", s, "ｷｬﾝｾﾙ ヘルプ コピー 新規作成 割当解除 - 保存 復元 印刷 選択", 1});
    }
    {
        TFKeyState s = Focused(1, 0);
        cases.push_back({"client/server 1 with data", s, "ｷｬﾝｾﾙ ヘルプ コピー 持ち出し 領域追加 ﾃﾞｰﾀ削除 保存 復元 印刷 選択", 1});
        s.ConnectMode = 2;
        cases.push_back({"client/server 2 with data", s, "ｷｬﾝｾﾙ ヘルプ コピー - 領域追加 ﾃﾞｰﾀ削除 保存 復元 印刷 選択", 1});
    }
    {
        TFKeyState s = Focused(0, 0);
        s.Row.Broken = true;
        cases.push_back({"broken row keeps delete and restore", s, "ｷｬﾝｾﾙ ヘルプ - - - ﾃﾞｰﾀ削除 - 復元 印刷 -", 1});
    }
    {
        TFKeyState s = Focused(0, 0);
        s.HasCurrentRow = false;
        cases.push_back({"empty grid", s, "ｷｬﾝｾﾙ ヘルプ - - - - - - 印刷 選択", 0});
        s.GridEnabled = false;
        cases.push_back({"grid disabled (data place being changed)", s, "ｷｬﾝｾﾙ ヘルプ - - - - - - - -", 0});
    }
    {
        TFKeyState s = Focused(0, 0);
        s.GridFocused = false;
        cases.push_back({"grid not focused", s, "ｷｬﾝｾﾙ ヘルプ - - - - - - 印刷 選択", 0});
    }
    {
        TFKeyState s = Focused(0, 3);
        cases.push_back({"wizard (type 3)", s, "ｷｬﾝｾﾙ - - - - - - - - 選択", 1});
        s.SyoriType = 4;
        s.Row.HasName = false;
        s.Row.EntText.clear();
        cases.push_back({"type 4 empty row", s, "ｷｬﾝｾﾙ - - - - - - - - 選択", 1});
        s.SyoriType = 2;
        cases.push_back({"type 2 empty row", s, "ｷｬﾝｾﾙ ヘルプ - - - - - 復元 印刷 選択", 1});
        s.SyoriType = 5;
        cases.push_back({"type 5", s, "ｷｬﾝｾﾙ - - - - - - - - 選択", 1});
        s.ConnectMode = 1;
        s.SyoriType = 0;
        s.Row.HasName = true;
        s.Row.HasCloudLine = true;
        s.CloudShareMode = true;
        cases.push_back({"cloud line, then client/server 1 sets take-out", s,
                         "ｷｬﾝｾﾙ ヘルプ コピー 持ち出し 領域追加 ﾃﾞｰﾀ削除 保存 復元 印刷 選択", 1});
    }
    for (const Case& c : cases) {
        const TFKeyResult r = SetFKeyCaptions(c.state);
        EXPECT_EQ(Summary(r.Captions), QString::fromUtf8(c.captions)) << c.name;
        EXPECT_EQ(r.KeyState, c.keyState) << c.name;
    }
}

TEST(FKeyCaptions, SharedAndCloudButtons)
{
    TFKeyState s = Focused(0, 0);
    s.Row.HasName = false;
    s.Row.EntText.clear();
    s.Row.VerMajor = 0;
    TFKeyResult r = SetFKeyCaptions(s);
    EXPECT_TRUE(r.FetchEnabled); // an empty local row may receive shared data
    EXPECT_FALSE(r.StoreEnabled);
    EXPECT_FALSE(r.CloudEnabled) << "no data version";

    s = Focused(0, 0);
    s.Row.Shared = true;
    r = SetFKeyCaptions(s);
    EXPECT_TRUE(r.FetchEnabled);
    EXPECT_FALSE(r.StoreEnabled);
    EXPECT_TRUE(r.CloudEnabled);
    s.Row.Fetched = true;
    r = SetFKeyCaptions(s);
    EXPECT_FALSE(r.FetchEnabled);
    EXPECT_TRUE(r.StoreEnabled);
    s.Row.Broken = true;
    r = SetFKeyCaptions(s);
    EXPECT_FALSE(r.StoreEnabled);
    EXPECT_FALSE(r.CloudEnabled);

    s = Focused(0, 0);
    s.Row.Shared = true;
    s.Row.EntText = QStringLiteral("新しい領域");
    s.FetchEnabled = s.StoreEnabled = true;
    r = SetFKeyCaptions(s);
    EXPECT_FALSE(r.FetchEnabled);
    EXPECT_FALSE(r.StoreEnabled);
    s.AutoShareBoxChecked = true; // the ticked box leaves both buttons as they are
    r = SetFKeyCaptions(s);
    EXPECT_TRUE(r.FetchEnabled);
    EXPECT_TRUE(r.StoreEnabled);

    s.PastePending = true; // key state 2: fetch and store off, cloud kept
    s.CloudEnabled = true;
    r = SetFKeyCaptions(s);
    EXPECT_FALSE(r.FetchEnabled);
    EXPECT_TRUE(r.CloudEnabled);
    EXPECT_TRUE(r.PasteHint);

    s = Focused(0, 3);
    EXPECT_FALSE(SetFKeyCaptions(s).SearchEnabled);
    s.SyoriType = 0;
    EXPECT_TRUE(SetFKeyCaptions(s).SearchEnabled);
}
