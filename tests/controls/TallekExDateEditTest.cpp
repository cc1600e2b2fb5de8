#include "FormFixture.h"

#include "controls/dates/DateEditMessages.h"
#include "controls/dates/EraList.h"
#include "controls/dates/TallekExDateEdit.h"
#include "controls/dates/TallekExDateEditLabel.h"
#include "core/Exception.h"
#include "tests/support/RecordingMessageService.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

using namespace controls;
using namespace controls::datemsg;
using controlstest::TestForm;

namespace {

QDateTime at(int y, int m, int d, int hh = 0, int mm = 0, int ss = 0) {
    return QDateTime(QDate(y, m, d), QTime(hh, mm, ss));
}

// One date edit on a shown form, the era table handed over as the base dialog does, and the
// message service answering for the user.
struct DateForm {
    explicit DateForm(TTallekExDateEditStyle style = desYearMonthDay, TTallekExRekiSet gengo = rsWareki) {
        edit = form.add(new TTallekExDateEdit);
        other = form.add(new QLineEdit);
        edit->SetEditStyle(style);
        edit->SetGengo(gengo);
        edit->SetWarekiTable(SystemEraList());
        form.show();
    }

    // Fills the boxes: era item text (empty: none), then year … second ("" leaves a box empty).
    void enter(const QString& era, const QStringList& numbers, int ampm = -1) {
        edit->EraBox()->setCurrentIndex(era.isEmpty() ? -1 : edit->EraBox()->findText(era));
        QLineEdit* boxes[] = {edit->YearBox(), edit->MonthBox(), edit->DayBox(),
                              edit->HourBox(), edit->MinuteBox(), edit->SecondBox()};
        for (int i = 0; i < 6; ++i)
            boxes[i]->setText(numbers.value(i));
        edit->AmpmBox()->setCurrentIndex(ampm);
    }

    // GetDateTime, with the message it raised (empty when none) and whether it aborted.
    QDateTime get(bool* aborted = nullptr) {
        bool stopped = false;
        QDateTime value;
        try {
            value = edit->GetDateTime();
        } catch (const core::EAbort&) {
            stopped = true;
        }
        if (aborted)
            *aborted = stopped;
        return value;
    }

    QString lastMessage() const { return messages.messages.isEmpty() ? QString() : messages.messages.last().text; }

    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scope{messages};
    TestForm form;
    TTallekExDateEdit* edit;
    QLineEdit* other;
};

const QString kReiwa = QStringLiteral("令和");
const QString kMeiji = QStringLiteral("明治");
const QString kSeireki = QStringLiteral("西暦");

} // namespace

TEST(TTallekExDateEdit, EraEntry) {
    DateForm f;
    QStringList items;
    for (int i = 0; i < f.edit->EraBox()->count(); ++i)
        items << f.edit->EraBox()->itemText(i);
    EXPECT_EQ(items, (QStringList{kReiwa, QStringLiteral("平成"), QStringLiteral("昭和"), QStringLiteral("大正"), kMeiji}));

    f.enter(kReiwa, {"5", "4", "1"});
    EXPECT_EQ(f.get(), at(2023, 4, 1));
    // No era chosen counts as the first era of the box.
    f.enter(QString(), {"5", "4", "1"});
    EXPECT_EQ(f.get(), at(2023, 4, 1));
    EXPECT_EQ(f.edit->EraBox()->currentText(), kReiwa);
    f.enter(QStringLiteral("平成"), {"31", "4", "30"});
    EXPECT_EQ(f.get(), at(2019, 4, 30));
    EXPECT_TRUE(f.messages.messages.isEmpty());
}

TEST(TTallekExDateEdit, CalendarEntry) {
    DateForm both(desYearMonthDay, rsBoth);
    EXPECT_EQ(both.edit->EraBox()->itemText(0), kSeireki);
    EXPECT_EQ(both.edit->YearBox()->maxLength(), 4);
    both.enter(kSeireki, {"2024", "2", "29"});
    EXPECT_EQ(both.get(), at(2024, 2, 29));
    both.enter(kReiwa, {"6", "2", "29"});
    EXPECT_EQ(both.get(), at(2024, 2, 29));

    DateForm twoDigits(desYearMonthDay, rsSeireki);
    twoDigits.edit->SetYeardigit(yddigit2);
    twoDigits.enter(kSeireki, {"72", "1", "2"});
    EXPECT_EQ(twoDigits.get(), at(QDate::currentDate().year() / 100 * 100 + 72, 1, 2));
    EXPECT_EQ(twoDigits.edit->YearBox()->text(), QStringLiteral("72"));
}

TEST(TTallekExDateEdit, TimeEntry) {
    DateForm f(desYearMonthDayHMS, rsSeireki);
    f.enter(kSeireki, {"2024", "1", "31", "23", "59", "59"});
    EXPECT_EQ(f.get(), at(2024, 1, 31, 23, 59, 59));

    f.edit->SetEditAmpm(true);
    f.enter(kSeireki, {"2024", "1", "31", "11", "30", "0"}, 1);
    EXPECT_EQ(f.get(), at(2024, 1, 31, 23, 30));
    EXPECT_EQ(f.edit->HourBox()->text(), QStringLiteral("11")); // shown again as 午後 11
    EXPECT_EQ(f.edit->AmpmBox()->currentIndex(), 1);

    DateForm timeOnly(desHourMinute);
    timeOnly.enter(QString(), {"", "", "", "9", "5"});
    EXPECT_EQ(timeOnly.get(), QDateTime(QDate(1899, 12, 30), QTime(9, 5)));
}

TEST(TTallekExDateEdit, EachEntryErrorIsReportedAndAbortsWithTheFocusOnTheBox) {
    struct Case {
        const char* name;
        TTallekExDateEditStyle style;
        TTallekExRekiSet gengo;
        bool ampm;
        bool canEmpty;
        QString era;
        QStringList numbers;
        int ampmIndex;
        QString message;
        int focusBox; // -1 era, 0-5 number boxes, 6 AM/PM
    };
    const Case cases[] = {
        {"all blank", desYearMonthDay, rsWareki, false, false, QString(), {}, -1, kMsgAllBlank, -1},
        {"one blank", desYearMonthDay, rsWareki, false, true, kReiwa, {"5", "", "1"}, -1, kMsgSomeBlank, 1},
        {"era and day blank", desYearMonthDay, rsWareki, false, true, QString(), {"5", "4", ""}, -1, kMsgSomeBlank, -1},
        {"AM/PM blank", desYearMonthDayHM, rsSeireki, true, true, kSeireki, {"2024", "1", "1", "1", "0"}, -1, kMsgSomeBlank, 6},
        {"hour 24", desYearMonthDayHM, rsSeireki, false, true, kSeireki, {"2024", "1", "1", "24", "0"}, -1, kMsgTime24, 3},
        {"minute 60", desYearMonthDayHMS, rsSeireki, false, true, kSeireki, {"2024", "1", "1", "1", "60", "0"}, -1, kMsgTime24, 4},
        {"second 60 in 12-hour mode", desYearMonthDayHMS, rsSeireki, true, true, kSeireki, {"2024", "1", "1", "1", "0", "60"}, 0, kMsgTime12, 4},
        {"hour 12 with PM", desYearMonthDayHM, rsSeireki, true, true, kSeireki, {"2024", "1", "1", "12", "0"}, 1, kMsgTime12, 3},
        {"year 1872", desYearMonthDay, rsSeireki, false, true, kSeireki, {"1872", "12", "31"}, -1, kMsgBefore1873, 0},
        {"year 2999 with eras", desYearMonthDay, rsBoth, false, true, kSeireki, {"2999", "1", "1"}, -1, kMsgFrom2999, 0},
        {"era year 981 of Reiwa", desYearMonthDay, rsWareki, false, true, kReiwa, {"98", "1", "1"}, -1, QString(), 0},
        {"30 February", desYearMonthDay, rsSeireki, false, true, kSeireki, {"2024", "2", "30"}, -1, kMsgBadDate, 0},
        {"month 13", desYearMonthDay, rsSeireki, false, true, kSeireki, {"2024", "13", "1"}, -1, kMsgBadDate, 0},
    };
    for (const Case& c : cases) {
        DateForm f(c.style, c.gengo);
        f.edit->SetEditAmpm(c.ampm);
        f.edit->SetCanEmpty(c.canEmpty);
        f.enter(c.era, c.numbers, c.ampmIndex);
        TestForm::focus(f.other);
        bool aborted = false;
        f.get(&aborted);
        if (c.message.isEmpty()) { // a valid entry among the cases: no message, no abort
            EXPECT_FALSE(aborted) << c.name;
            continue;
        }
        EXPECT_TRUE(aborted) << c.name;
        ASSERT_EQ(f.messages.messages.size(), 1) << c.name;
        EXPECT_EQ(f.lastMessage(), c.message) << c.name;
        EXPECT_EQ(f.messages.messages.last().caption, QStringLiteral("日付時刻入力")) << c.name;
        EXPECT_EQ(f.messages.messages.last().kind, core::MessageKind::Information) << c.name;
        QWidget* boxes[] = {f.edit->YearBox(), f.edit->MonthBox(), f.edit->DayBox(),
                            f.edit->HourBox(), f.edit->MinuteBox(), f.edit->SecondBox(), f.edit->AmpmBox()};
        QWidget* expected = c.focusBox < 0 ? static_cast<QWidget*>(f.edit->EraBox()) : boxes[c.focusBox];
        EXPECT_EQ(TestForm::focused(), expected) << c.name;
    }
}

TEST(TTallekExDateEdit, ErrorsAbortSilentlyWithoutDisplayErrorAndYear2999IsFineWithoutEras) {
    DateForm f(desYearMonthDay, rsSeireki);
    f.edit->SetDisplayError(false);
    f.enter(kSeireki, {"1872", "1", "1"});
    bool aborted = false;
    f.get(&aborted);
    EXPECT_TRUE(aborted);
    EXPECT_TRUE(f.messages.messages.isEmpty());

    f.edit->SetDisplayError(true);
    f.enter(kSeireki, {"2999", "1", "1"});
    EXPECT_EQ(f.get(), at(2999, 1, 1));
}

TEST(TTallekExDateEdit, SetDateTimeRefusesAValueItCannotShow) {
    DateForm f;
    EXPECT_THROW(f.edit->SetDateTime(QDateTime(QDate(10000, 1, 1), QTime(0, 0))), core::EAbort);
    EXPECT_EQ(f.lastMessage(), kMsgBadSetValue);
}

TEST(TTallekExDateEdit, BlankEntryAndEmptyingValues) {
    DateForm f;
    EXPECT_FALSE(f.get().isValid()); // CanEmpty: all blank is no date, without a message
    EXPECT_TRUE(f.messages.messages.isEmpty());

    for (const QDateTime& empty : {QDateTime(), QDateTime(QDate(1899, 12, 30), QTime(0, 0)), at(1872, 12, 31)}) {
        f.edit->SetDateTime(at(2020, 5, 5));
        f.edit->SetDateTime(empty);
        EXPECT_TRUE(f.edit->YearBox()->text().isEmpty()) << empty.toString().toStdString();
        EXPECT_EQ(f.edit->EraBox()->currentIndex(), -1);
        EXPECT_FALSE(f.get().isValid());
    }
}

TEST(TTallekExDateEdit, DatesFrom1873To1899RoundTrip) {
    DateForm f;
    for (const QDateTime& value : {at(1873, 1, 1), at(1880, 6, 15), at(1899, 12, 29)}) {
        f.edit->SetDateTime(value);
        EXPECT_EQ(f.edit->EraBox()->currentText(), kMeiji);
        EXPECT_EQ(f.edit->YearBox()->text().toInt(), value.date().year() - 1867);
        EXPECT_EQ(f.get(), value);
    }
    // Typed in the Gregorian calendar as well.
    DateForm g(desYearMonthDay, rsSeireki);
    g.enter(kSeireki, {"1890", "11", "29"});
    EXPECT_EQ(g.get(), at(1890, 11, 29));
    // The zero date itself stays "no date".
    g.enter(kSeireki, {"1899", "12", "30"});
    EXPECT_FALSE(g.get().isValid());
}

TEST(TTallekExDateEdit, RangeClampsSilently) {
    DateForm f(desYearMonthDay, rsSeireki);
    f.edit->SetMinDate(at(2020, 4, 1));
    f.edit->SetMaxDate(at(2021, 3, 31));
    EXPECT_EQ(f.edit->ClampToRange(at(2019, 1, 1)), at(2020, 4, 1));
    EXPECT_EQ(f.edit->ClampToRange(at(2022, 1, 1)), at(2021, 3, 31));
    EXPECT_FALSE(f.edit->ClampToRange(QDateTime()).isValid());

    f.enter(kSeireki, {"2019", "12", "31"});
    EXPECT_EQ(f.get(), at(2020, 4, 1));
    EXPECT_EQ(f.edit->YearBox()->text(), QStringLiteral("2020"));
    EXPECT_EQ(f.edit->MonthBox()->text(), QStringLiteral("4"));
    EXPECT_TRUE(f.messages.messages.isEmpty());

    // A new range moves the value into it.
    f.edit->SetMinDate(at(2020, 6, 1));
    EXPECT_EQ(f.edit->MonthBox()->text(), QStringLiteral("6"));
    // Writing no date lifts the limit.
    f.edit->SetMinDate(QDateTime());
    f.enter(kSeireki, {"2019", "12", "31"});
    EXPECT_EQ(f.get(), at(2019, 12, 31));
}

TEST(TTallekExDateEdit, RangeNarrowsTheEraList) {
    const core::TGengoArray table = SystemEraList();
    const auto names = [](const core::TGengoArray& eras) {
        QStringList out;
        for (const auto& e : eras)
            out << e.name;
        return out;
    };
    EXPECT_EQ(names(BuildEraList(table, at(1990, 1, 1), at(2010, 1, 1))), QStringList{QStringLiteral("平成")});
    EXPECT_EQ(names(BuildEraList(table, at(1960, 1, 1), QDateTime())),
              (QStringList{kReiwa, QStringLiteral("平成"), QStringLiteral("昭和")}));
    EXPECT_EQ(names(BuildEraList(table, QDateTime(), at(1873, 1, 2))).size(), 5); // bound too early: ignored
    EXPECT_EQ(names(BuildEraList(table, at(2020, 1, 1), at(1990, 1, 1))).size(), 5); // crossed: whole table

    DateForm f;
    f.edit->SetMinDate(at(1990, 1, 1));
    f.edit->SetMaxDate(at(2010, 1, 1));
    ASSERT_EQ(f.edit->EraBox()->count(), 1);
    f.enter(QString(), {"10", "1", "1"}); // the first era of the box is now 平成
    EXPECT_EQ(f.get(), at(1998, 1, 1));
}

TEST(TTallekExDateEdit, CalendarChangeKeepsTheTypedDate) {
    DateForm f(desYearMonthDay, rsBoth);
    f.enter(QStringLiteral("昭和"), {"64", "1", "7"});
    f.edit->SetGengo(rsWareki);
    EXPECT_EQ(f.edit->EraBox()->currentText(), QStringLiteral("昭和"));
    EXPECT_EQ(f.get(), at(1989, 1, 7));
    f.edit->SetGengo(rsSeireki);
    EXPECT_EQ(f.edit->YearBox()->text(), QStringLiteral("1989"));
    EXPECT_EQ(f.get(), at(1989, 1, 7));

    // A new era table refills the era box and shows the value's era again.
    DateForm g;
    g.edit->SetDateTime(at(1950, 5, 3));
    g.edit->SetWarekiTable(SystemEraList());
    EXPECT_EQ(g.edit->EraBox()->currentText(), QStringLiteral("昭和"));
    EXPECT_EQ(g.get(), at(1950, 5, 3));
}

TEST(TTallekExDateEdit, MidnightShowsZeroTime) {
    DateForm f(desYearMonthDayHM, rsSeireki);
    f.edit->SetDateTime(at(2024, 3, 1, 10, 30));
    f.edit->SetDateTime(at(2024, 3, 2));
    EXPECT_EQ(f.edit->HourBox()->text(), QStringLiteral("0"));
    EXPECT_EQ(f.get(), at(2024, 3, 2));
}

TEST(TTallekExDateEdit, NegativeSpaceWidthPutsTheTimeOnASecondRow) {
    DateForm f(desYearMonthDayHM, rsWareki);
    const int h = f.edit->LineHeight();
    EXPECT_EQ(f.edit->height(), h);
    EXPECT_EQ(f.edit->HourBox()->y(), 0);
    EXPECT_GT(f.edit->HourBox()->x(), f.edit->Label(3)->geometry().right());

    f.edit->SetSpaceWidth(-4);
    EXPECT_EQ(f.edit->height(), 2 * h + 4);
    EXPECT_EQ(f.edit->HourBox()->geometry().topLeft(), QPoint(0, h + 4));
    // Each box is followed by its label; the next box overlaps the label by 3 pixels.
    EXPECT_EQ(f.edit->Label(1)->x(), f.edit->YearBox()->geometry().right() + 1);
    EXPECT_EQ(f.edit->MonthBox()->x(), f.edit->Label(1)->geometry().right() + 1 - 3);
    EXPECT_FALSE(f.edit->SecondBox()->isVisible());
}

TEST(TTallekExDateEdit, Keys) {
    DateForm f(desYearMonthDay, rsWareki);
    TestForm::focus(f.edit);
    EXPECT_EQ(TestForm::focused(), f.edit->EraBox()); // the control hands the focus to its first box

    TestForm::focus(f.edit->YearBox());
    QTest::keyClicks(f.edit->YearBox(), "1a2");
    EXPECT_EQ(f.edit->YearBox()->text(), QStringLiteral("12")); // only digits pass
    QTest::keyClick(f.edit->YearBox(), Qt::Key_Return);
    EXPECT_EQ(TestForm::focused(), f.edit->MonthBox()); // Enter moves like Tab
    QTest::keyClick(f.edit->MonthBox(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(TestForm::focused(), f.edit->YearBox());
    QTest::keyClick(f.edit->DayBox(), Qt::Key_Down);
    EXPECT_TRUE(f.edit->DayBox()->text().isEmpty());

    f.edit->EraBox()->setCurrentIndex(1);
    int changes = 0;
    f.edit->OnChange = [&](QObject* sender) {
        EXPECT_EQ(sender, f.edit->EraBox());
        ++changes;
    };
    TestForm::focus(f.edit->EraBox());
    QTest::keyClick(f.edit->EraBox(), Qt::Key_Delete);
    EXPECT_EQ(f.edit->EraBox()->currentIndex(), -1);
    EXPECT_EQ(changes, 1);
    QTest::keyClick(f.edit->EraBox(), Qt::Key_Delete); // nothing selected: no change
    EXPECT_EQ(changes, 1);
    f.edit->OnChange = nullptr;

    // Leaving the last box with Enter leaves the control.
    TestForm::focus(f.edit->DayBox());
    QTest::keyClick(f.edit->DayBox(), Qt::Key_Return);
    EXPECT_EQ(TestForm::focused(), f.other);

    // Down opens a list box.
    TestForm::focus(f.edit->EraBox());
    QTest::keyClick(f.edit->EraBox(), Qt::Key_Down);
    EXPECT_TRUE(f.edit->EraBox()->view()->isVisible());
    f.edit->EraBox()->hidePopup();
}

TEST(TTallekExDateEdit, ExitCheckReportsWhenTheFocusLeaves) {
    DateForm f(desYearMonthDay, rsSeireki);
    f.edit->SetExitCheck(true);
    int exits = 0;
    f.edit->OnExit = [&](QObject*) { ++exits; };
    TestForm::focus(f.edit->YearBox());
    f.enter(kSeireki, {"2024", "", "1"});
    TestForm::focus(f.other);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(f.lastMessage(), kMsgSomeBlank);
    EXPECT_EQ(TestForm::focused(), f.edit->MonthBox());
}

TEST(TTallekExDateEdit, Colours) {
    DateForm f;
    f.edit->SetFocusedColor(QColor(255, 255, 200));
    TestForm::focus(f.edit->MonthBox());
    EXPECT_EQ(f.edit->MonthBox()->palette().color(QPalette::Active, QPalette::Base), QColor(255, 255, 200));
    EXPECT_EQ(f.edit->DayBox()->palette().color(QPalette::Active, QPalette::Base), QColor(Qt::white));
    TestForm::focus(f.other);
    EXPECT_EQ(f.edit->MonthBox()->palette().color(QPalette::Active, QPalette::Base), QColor(Qt::white));

    f.edit->SetDisableColor(QColor(100, 100, 100));
    f.edit->setEnabled(false);
    EXPECT_EQ(f.edit->YearBox()->palette().color(QPalette::Disabled, QPalette::Base), QColor(100, 100, 100));
    EXPECT_EQ(f.edit->YearBox()->palette().color(QPalette::Disabled, QPalette::Text), QColor(Qt::white));
    EXPECT_EQ(f.edit->Label(1)->Color(), QColor(0xE4, 0xE4, 0xE4));
}
