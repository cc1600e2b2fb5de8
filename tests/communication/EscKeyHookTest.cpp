// The Esc guard of the archiver steps: Esc key presses are eaten while a guard holds the
// module's filter; a nested guard leaves it to the outer one.
#include "communication/EscKeyHook.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

class KeyCounter : public QLineEdit {
public:
    int escapes = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape)
            ++escapes;
        QLineEdit::keyPressEvent(event);
    }
};

void PressEscape(QWidget& target)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &press);
}

TEST(EscKeyHook, EatsEscWhileHeld)
{
    KeyCounter edit;
    {
        communication::EscKeyHook outer;
        EXPECT_TRUE(communication::EscKeyHook::Installed());
        {
            communication::EscKeyHook inner;
        }
        EXPECT_TRUE(communication::EscKeyHook::Installed());
        PressEscape(edit);
        EXPECT_EQ(edit.escapes, 0);
    }
    EXPECT_FALSE(communication::EscKeyHook::Installed());
    PressEscape(edit);
    EXPECT_EQ(edit.escapes, 1);
}

} // namespace
