// The password confirmation of the in-use release: the tick, blanks and a case-sensitive match.
#include "communication/TusinWindows.h"
#include "tests/support/RecordingMessageService.h"

#include <QCheckBox>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

TEST(TusinSettiPas, AcceptsOnlyTheTickedExactPassword)
{
    struct Case {
        bool ticked;
        const char* typed;
        bool accepted;
        const char* message;
    } cases[] = {
        {true, "ABC123", true, ""},
        {true, "abc123", false, "パスワードが違います。"},
        {true, "AB C1", false, "パスワードはスペース（空白）なしの英数６桁以内で入力して下さい。"},
        {false, "ABC123", false, "「解除処理を実行します」をチェックしてください。"},
    };
    for (const Case& c : cases) {
        testsupport::RecordingMessageService messages;
        testsupport::ScopedMessageService scoped{messages};
        communication::TfmTusinSettiPas dialog(nullptr, QStringLiteral("解除"), QStringLiteral("解除処理を実行します"),
                                               QString(), QStringLiteral("ABC123"));
        dialog.CheckBox1()->setChecked(c.ticked);
        dialog.Password()->setText(QString::fromUtf8(c.typed));
        dialog.OkClick();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.typed;
        EXPECT_EQ(messages.messages.isEmpty() ? QString() : messages.messages.first().text, QString::fromUtf8(c.message))
            << c.typed;
    }
}

} // namespace
