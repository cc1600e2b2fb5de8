#include "../core/QtPrinters.h"
#include "FormFixture.h"

#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "core/Exception.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

using namespace controls;
using controlstest::TestForm;

namespace {

bool anyProgressFormOnScreen() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<TxProgressForm*>(w) && w->isVisible())
            return true;
    return false;
}

// A GIF of one 1x1 frame.
QByteArray tinyGif() {
    return QByteArray::fromHex("47494638396101000100800000000000ffffff21f90401000000002c000000000100010000020144003b");
}

} // namespace

TEST(TxAnimeProgressDialog, ModalWorkRunsOnceTheWindowIsUpAndShowReturnsAfterIt) {
    TxAnimeProgressDialog dialog;
    dialog.SetCaption(QStringLiteral("データの書き出し"));
    dialog.SetInfoLabel(QStringLiteral("準備しています…"));
    dialog.SetCommonAVI(aviFindFolder);
    int closed = 0;
    dialog.OnClose = [&](QObject* sender) {
        EXPECT_EQ(sender, &dialog);
        ++closed;
    };
    bool ran = false;
    dialog.OnShow = [&](QObject* sender) {
        auto* form = qobject_cast<TxProgressForm*>(sender);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form, dialog.Form());
        EXPECT_TRUE(form->isVisible());
        EXPECT_TRUE(form->isModal());
        EXPECT_EQ(form->windowTitle(), QStringLiteral("データの書き出し"));
        EXPECT_EQ(form->Info->text(), QStringLiteral("準備しています…")); // set before Show
        EXPECT_TRUE(dialog.AnimeActive());
        dialog.SetInfoLabel(QStringLiteral("書き出しています"));
        EXPECT_EQ(form->Info->text(), QStringLiteral("書き出しています"));
        ran = true;
    };
    dialog.Show();
    EXPECT_TRUE(ran);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(dialog.Form(), nullptr);
    EXPECT_EQ(dialog.Handle(), WId(0));
    EXPECT_FALSE(dialog.Shown());
    EXPECT_FALSE(anyProgressFormOnScreen());
}

TEST(TxAnimeProgressDialog, ExceptionOfTheWorkReachesTheCallerAfterTheWindowIsGone) {
    TestForm owner;
    owner.show();
    struct Case {
        std::function<void()> raise;
        bool silent;
    };
    const Case cases[] = {
        {[] { throw core::Exception(QStringLiteral("書き出しに失敗しました。")); }, false},
        {[] { core::Abort(); }, true},
    };
    for (const Case& c : cases) {
        TxAnimeProgressDialog dialog;
        dialog.OnShow = [&](QObject*) { c.raise(); };
        bool caught = false;
        try {
            dialog.Show(&owner.window);
        } catch (const core::EAbort&) {
            caught = c.silent;
        } catch (const core::Exception& e) {
            caught = !c.silent && e.message() == QStringLiteral("書き出しに失敗しました。");
        }
        EXPECT_TRUE(caught) << c.silent;
        // At the catch the window is freed and the owner usable.
        EXPECT_EQ(dialog.Form(), nullptr);
        EXPECT_FALSE(anyProgressFormOnScreen());
        EXPECT_TRUE(owner.window.isEnabled());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST(TxAnimeProgressDialog, ModelessOverAnOwnerDisablesItUntilClose) {
    TestForm owner;
    owner.window.resize(600, 400);
    owner.show();
    TxAnimeProgressDialog dialog;
    dialog.SetCaption(QStringLiteral("バックアップ"));
    dialog.Show(&owner.window);
    ASSERT_NE(dialog.Form(), nullptr);
    EXPECT_TRUE(dialog.Shown());
    EXPECT_TRUE(dialog.Form()->isVisible());
    EXPECT_FALSE(dialog.Form()->isModal());
    EXPECT_FALSE(owner.window.isEnabled());
    EXPECT_TRUE(dialog.Form()->isEnabled());
    EXPECT_NE(dialog.Handle(), WId(0));
    const QRect base = owner.window.frameGeometry();
    EXPECT_EQ(dialog.Form()->x(), base.left() + (base.width() - dialog.Form()->width()) / 2);
    EXPECT_EQ(dialog.Form()->y(), base.top() + (base.height() - dialog.Form()->height()) / 2);

    // The Cancel button only raises the flag; the caller decides.
    QTest::mouseClick(dialog.Form()->CancelButton, Qt::LeftButton);
    EXPECT_TRUE(dialog.Cancelled());
    EXPECT_TRUE(dialog.Shown());

    dialog.Close();
    EXPECT_TRUE(owner.window.isEnabled());
    EXPECT_EQ(dialog.Form(), nullptr);
    EXPECT_FALSE(dialog.Shown());

    // The next Show starts without the flag; destroying the dialog releases the owner too.
    {
        TxAnimeProgressDialog second;
        second.Show(&owner.window);
        EXPECT_FALSE(second.Cancelled());
        EXPECT_FALSE(owner.window.isEnabled());
    }
    EXPECT_TRUE(owner.window.isEnabled());
}

TEST(TxAnimeProgressDialog, CloseOfADialogNotShownLeavesTheOwnerAlone) {
    TestForm owner;
    owner.show();
    owner.window.setEnabled(false); // disabled by someone else
    TxAnimeProgressDialog dialog;
    dialog.SetParentHandle(&owner.window);
    dialog.Close();
    EXPECT_FALSE(owner.window.isEnabled());
    owner.window.setEnabled(true);
}

TEST(TxAnimeProgressDialog, WithoutOwnerTheWindowStaysOnTop) {
    TxAnimeProgressDialog dialog;
    dialog.Show();
    ASSERT_NE(dialog.Form(), nullptr);
    EXPECT_TRUE(dialog.Form()->isVisible());
    EXPECT_TRUE(dialog.Form()->windowFlags() & Qt::WindowStaysOnTopHint);
    dialog.Close();
    EXPECT_FALSE(anyProgressFormOnScreen());
}

TEST(TxAnimeProgressDialog, LayoutByLabelPositionAndCancelButton) {
    struct Case {
        TxLabelPosition position;
        bool cancel;
        QPoint label;
        int animeTop;
    };
    const Case cases[] = {
        {xlpRight, true, {60, 24}, 16},
        {xlpBottom, true, {20, 52}, 16},
        {xlpRight, false, {60, 42}, 30},
        {xlpBottom, false, {20, 70}, 30},
    };
    for (const Case& c : cases) {
        TxAnimeProgressDialog dialog;
        dialog.SetLabelPosition(c.position);
        dialog.SetCancelBtnShow(c.cancel);
        dialog.Show();
        TxProgressForm* form = dialog.Form();
        EXPECT_EQ(form->size(), QSize(380, 100));
        EXPECT_EQ(form->Info->pos(), c.label) << int(c.position) << c.cancel;
        EXPECT_EQ(form->Info->width(), 300);
        EXPECT_EQ(form->Anime->geometry(), QRect(20, c.animeTop, 32, 32));
        EXPECT_EQ(form->CancelButton->isVisible(), c.cancel);
        if (c.cancel) {
            EXPECT_EQ(form->CancelButton->geometry(), QRect(152, 67, 76, 23));
        }
        dialog.Close();
    }
}

TEST(TxAnimeProgressDialog, AnimationFileIsPlayedAndAMissingOneDropped) {
    QTemporaryDir dir;
    const QString gif = dir.filePath(QStringLiteral("busy.gif"));
    QFile file(gif);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(tinyGif());
    file.close();

    TxAnimeProgressDialog dialog;
    dialog.SetAviFile(gif); // before Show: kept as it is
    dialog.Show();
    EXPECT_EQ(dialog.AviFile(), gif);
    EXPECT_TRUE(dialog.Form()->Anime->HasAnimation());
    EXPECT_TRUE(dialog.AnimeActive());
    dialog.SetAnimeActive(false);
    EXPECT_FALSE(dialog.AnimeActive());
    dialog.SetAviFile(dir.filePath(QStringLiteral("missing.gif")));
    EXPECT_TRUE(dialog.AviFile().isEmpty());
    dialog.Close();
}
