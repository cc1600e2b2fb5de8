// The whole program on the folder of the demo: the program body in this process, run by a
// calling program that listens for the result, with the login, the data selection and the
// wizard played by a driver; the intermediate file it writes against the golden file. Also the
// built program as a process, and the refusal to run beside the product line's other
// programs or a second copy.

#include "core/Globals.h"
#include "core/dm/DataSetMarks.h"
#include "core/session/Identity.h"
#include "link/app/EquityPage.h"
#include "link/app/ProgramBody.h"
#include "platform/CallerLink.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"
#include "platform/NamedMutex.h"
#include "tests/link/EndToEndFixture.h"
#include "tests/link/SavedProgramState.h"
#include "tests/platform/PlatformTestUtil.h"
#include "tests/support/RecordingMessageService.h"

#include "controls/kikan/TxKikanPanel16.h"
#include "controls/wizard/TxWizard.h"
#include "schema/sample/CompanyProfile.h"
#include "schema/sample/SampleJournal.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QFontInfo>
#include <QHeaderView>
#include <QScreen>
#include <QTemporaryDir>
#include <QTreeWidget>

using e2etest::DemoFolder;
using e2etest::ProgramDriver;
using e2etest::ScopedEnvironment;

namespace {

constexpr platform::WindowHandle kCallerWindow = 4711;
constexpr quint32 kCallerMessage = 32769;
constexpr quint32 kCallerParam = 7;

QString u8(const char* text) { return QString::fromUtf8(text); }

// The bytes of the first element of that name, tags included; empty when there is none.
QByteArray elementBytes(const QByteArray& xml, const QByteArray& name)
{
    const qsizetype from = xml.indexOf('<' + name + '>');
    const qsizetype to = xml.indexOf("</" + name + '>', from);
    if (from < 0 || to < 0)
        return {};
    return xml.mid(from, to + name.size() + 3 - from);
}

QString elementText(const QByteArray& xml, const QByteArray& name)
{
    const QByteArray element = elementBytes(xml, name);
    return platform::fromCp932(element.mid(name.size() + 2, element.size() - 2 * name.size() - 5));
}

// Empty when equal; else the text from the first differing byte on, of both.
QString firstDifference(const QByteArray& actual, const QByteArray& expected)
{
    if (actual == expected)
        return {};
    qsizetype at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    return QStringLiteral("from byte %1\nactual:   %2\nexpected: %3")
        .arg(at)
        .arg(platform::fromCp932(actual.mid(at, 160)), platform::fromCp932(expected.mid(at, 160)));
}

QString dataStatus(const DemoFolder& folder)
{
    return platform::TIniFile(folder.sysDir() + QStringLiteral("/0001/qmacc.ini"))
        .ReadString(QStringLiteral("DATASTS"), QStringLiteral("STATUS"), QString());
}

// A private runtime folder: the mutexes and caller sockets of one test meet no other's.
class EndToEndBase : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(runtime.isValid());
        env.set("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        env.set(taxlink::kCloseOnShowVariable, std::nullopt);
    }
    void useFolder(const DemoFolder& folder)
    {
        for (const auto& [name, value] : folder.env)
            env.set(name, value);
    }

    QTemporaryDir runtime;
    ScopedEnvironment env;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    linktest::SavedProgramState saved;
};

// ---- the program refuses to run beside another ----

class SingleInstanceTest : public EndToEndBase {};

TEST_F(SingleInstanceTest, RefusedWhileAMutexIsHeld)
{
    const struct {
        const char* mutex;
        const char* message;
    } cases[] = {
        {taxlink::kZaimuMutex, "Velmora財務が起動しています。同時に起動することは出来ません。"},
        {taxlink::kZaimuToolsMutex, "Velmora財務ツールが起動しています。同時に起動することは出来ません。"},
        {taxlink::kLinkMutex, "アプリケーションは既に起動しています。"},
    };
    QTemporaryDir program;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mutex);
        messages.messages.clear();
        platform::NamedMutex other = platform::NamedMutex::create(QString::fromLatin1(c.mutex));
        ASSERT_TRUE(other.isHeld());
        const int code = taxlink::RunProgram(
            {program.filePath(QStringLiteral("taxlink")), {}, /*KeepMessageService=*/true});
        EXPECT_EQ(code, 2);
        ASSERT_EQ(messages.messages.size(), 1);
        EXPECT_EQ(messages.messages[0].text, u8(c.message));
        EXPECT_EQ(messages.messages[0].kind, core::MessageKind::Information);
        EXPECT_EQ(messages.messages[0].buttons, core::mbOK);
        EXPECT_EQ(ProgramDriver::MainForm(), nullptr) << "no main form is made";
        // The other holder keeps its mutex; this program leaves its own free.
        EXPECT_TRUE(other.isHeld());
        other.release();
        EXPECT_FALSE(platform::NamedMutex::exists(QString::fromLatin1(taxlink::kLinkMutex)));
    }
}

// A caller argument whose message number is not a number: the caller's window is enabled
// again but gets no message (there is no number to post it on).
TEST_F(SingleInstanceTest, BadMessageNumberOnlyReenablesTheCaller)
{
    QTemporaryDir program;
    platform::CallerWindow caller(kCallerWindow);
    const int code = taxlink::RunProgram({program.filePath(QStringLiteral("taxlink")),
                                          {QStringLiteral("%1,msg,0,/tmp/x.xml").arg(kCallerWindow)},
                                          /*KeepMessageService=*/true});
    EXPECT_EQ(code, 2);
    EXPECT_EQ(messages.texts(), QStringList{u8("不正な引数が渡されました。\r\rアプリケーションを強制終了します。")});
    caller.waitForLines(2, 500);
    EXPECT_EQ(caller.lines(), QStringList{QStringLiteral("enable 1")});
}

// ---- the built program as a process ----

class ProgramProcessTest : public EndToEndBase {};

// Offscreen with TAXLINK_CLOSE_ON_SHOW the program starts, writes its default application INI,
// shows its window and ends by itself, telling its caller 2 across the process boundary.
TEST_F(ProgramProcessTest, StartsAndClosesOnShow)
{
    QTemporaryDir dir;
    const DemoFolder folder = e2etest::makeDemoFolder(
        dir.filePath(QStringLiteral("demo")), {QStringLiteral("--program"), QStringLiteral(TAXLINK_PROGRAM_FILE)});
    ASSERT_TRUE(folder.error.isEmpty()) << folder.error.toStdString();
    platform::CallerWindow caller(kCallerWindow);

    QProcessEnvironment processEnv = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : folder.env)
        processEnv.insert(QString::fromLocal8Bit(name), QString::fromLocal8Bit(value));
    processEnv.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    processEnv.insert(QString::fromLatin1(taxlink::kCloseOnShowVariable), QStringLiteral("1"));
    QProcess program;
    program.setProcessEnvironment(processEnv);
    program.setProcessChannelMode(QProcess::MergedChannels);
    QEventLoop loop;
    QObject::connect(&program, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    program.start(folder.programFile(), {QStringLiteral("%1,%2,%3,%4")
                                             .arg(kCallerWindow)
                                             .arg(kCallerMessage)
                                             .arg(kCallerParam)
                                             .arg(dir.filePath(QStringLiteral("out,put.xml")))});
    ASSERT_TRUE(program.waitForStarted());
    loop.exec(); // the caller's socket is served meanwhile
    if (program.state() != QProcess::NotRunning) {
        program.kill();
        program.waitForFinished();
        FAIL() << "the program did not end by itself: " << program.readAll().toStdString();
    }
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 2) << program.readAll().toStdString();

    caller.waitForLines(3, 5000);
    EXPECT_EQ(caller.lines(), (QStringList{QStringLiteral("enable 0"), QStringLiteral("enable 1"),
                                           QStringLiteral("%1 %2 2").arg(kCallerMessage).arg(kCallerParam)}));
    EXPECT_TRUE(caller.isEnabled());
    // The start-up wrote the default application INI with the system folder of the layout.
    const platform::TIniFile ini(folder.dataRoot() + QStringLiteral("/qmvaimu.ini"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("LOCAL"), QStringLiteral("SYSDIR"), QString()), folder.sysDir());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("out,put.xml"))));
    EXPECT_FALSE(platform::NamedMutex::exists(QString::fromLatin1(taxlink::kLinkMutex)));
}

// ---- one whole run in this process ----

// The ordinary sample in a demo folder, made once per test program.
const DemoFolder& sampleFolder()
{
    static QTemporaryDir dir;
    static const DemoFolder folder = e2etest::makeDemoFolder(
        dir.filePath(QStringLiteral("demo")),
        {QStringLiteral("--mkdb"), QStringLiteral(TAXLINK_MKDB_FILE), QStringLiteral("--sample"),
         QStringLiteral("ordinary")});
    return folder;
}

QByteArray goldenOrdinary()
{
    return platformtest::readBytes(QStringLiteral(TAXLINK_SOURCE_DIR "/tests/link/data/ordinary.xml"));
}

class ProgramRunTest : public EndToEndBase {
protected:
    void SetUp() override
    {
        EndToEndBase::SetUp();
        ASSERT_TRUE(sampleFolder().error.isEmpty()) << sampleFolder().error.toStdString();
        useFolder(sampleFolder());
    }
};

enum class Ending { Finish, Cancel, FailingExport };

// The wizard with fixed inputs (the whole year, tax excluded, the statement of changes in
// equity and the general ledger), then Finish, Cancel, or Finish after the output folder has
// gone. Run by a calling program, the caller's window is disabled while the program runs and is
// told 0, 1 or 2, which is also the exit code; run by itself, the program names the file on the
// output page and shows its success.
TEST_F(ProgramRunTest, FinishCancelAndFailedExport)
{
    const struct {
        const char* name;
        bool called;
        Ending ending;
        int code;
    } cases[] = {
        {"by itself, finish", false, Ending::Finish, 0},
        {"called, finish", true, Ending::Finish, 0},
        {"called, cancel", true, Ending::Cancel, 1},
        {"called, failing export", true, Ending::FailingExport, 2},
    };
    const QByteArray golden = goldenOrdinary();
    ASSERT_FALSE(golden.isEmpty());

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        saved.restore(); // each run starts as a new process would
        messages.messages.clear();
        QTemporaryDir out;
        const QString outDir = out.filePath(QStringLiteral("out"));
        ASSERT_TRUE(QDir().mkpath(outDir));
        const QString outFile = outDir + QStringLiteral("/out,put.xml"); // a comma in the path
        platform::CallerWindow caller(kCallerWindow);

        QStringList pages;
        QString statusWhileOpen;
        bool page4Absent = false;
        bool onLastPage = false;
        ProgramDriver driver;
        driver.Wizard = [&](taxlink::TForm1& form) {
            QPointer<taxlink::TForm1> f = &form;
            auto next = [&] {
                f->Wizard1->NextClick();
                if (f)
                    pages << f->CurrentPageName();
                return !f.isNull();
            };
            page4Absent = true;
            for (int i = 0; i < f->Wizard1->PageCount(); ++i)
                page4Absent = page4Absent && f->Wizard1->widget(i)->objectName() != QStringLiteral("page4");
            pages << f->CurrentPageName();
            if (!next()) // the data page
                return;
            f->btnDataSentakuClick();
            statusWhileOpen = dataStatus(sampleFolder());
            if (!f || !next()) // the calculation page
                return;
            if (c.ending == Ending::Cancel) {
                f->btnCancelClick(); // answered Yes
                return;
            }
            f->xKikanPanel3a->SetStno(0);
            f->xKikanPanel3a->SetEdno(15);
            f->RadioButton3b->setChecked(true); // 税抜き
            if (!next()) // the equity page
                return;
            f->page9->SakuseiCheck9->setChecked(true);
            f->page9->SakuseiCheck9Click();
            f->page9->MotochoCheck9->setChecked(true);
            if (!c.called) {
                if (!next()) // the output file
                    return;
                f->Edit4a->setText(outFile);
            }
            if (!next()) // the summary
                return;
            onLastPage = f->Wizard1->PageIndex() == f->Wizard1->PageCount() - 1;
            if (c.ending == Ending::FailingExport)
                QDir(outDir).removeRecursively();
            f->Wizard1->NextClick(); // Finish
        };

        QStringList arguments;
        if (c.called)
            arguments << QStringLiteral("%1,%2,%3,%4").arg(kCallerWindow).arg(kCallerMessage).arg(kCallerParam).arg(outFile);
        const int code = taxlink::RunProgram({sampleFolder().programFile(), arguments, /*KeepMessageService=*/true});

        EXPECT_TRUE(driver.Problems.isEmpty()) << driver.Problems.join(u'\n').toStdString();
        EXPECT_TRUE(driver.LoggedIn);
        EXPECT_TRUE(driver.DataChosen);
        EXPECT_EQ(code, c.code) << messages.texts().join(u'\n').toStdString();
        EXPECT_EQ(ProgramDriver::MainForm(), nullptr) << "the main form is gone";
        EXPECT_EQ(core::DM, nullptr) << "the data module is gone";
        EXPECT_FALSE(platform::NamedMutex::exists(QString::fromLatin1(taxlink::kLinkMutex)));

        if (c.called) {
            caller.waitForLines(3, 5000);
            EXPECT_EQ(caller.lines(),
                      (QStringList{QStringLiteral("enable 0"), QStringLiteral("enable 1"),
                                   QStringLiteral("%1 %2 %3").arg(kCallerMessage).arg(kCallerParam).arg(c.code)}));
            EXPECT_TRUE(caller.isEnabled());
        } else {
            caller.waitForLines(1, 200);
            EXPECT_TRUE(caller.lines().isEmpty()) << "no caller, nothing posted";
        }

        // The data set was marked in use while open and normal again after the close.
        EXPECT_EQ(statusWhileOpen, QStringLiteral("2"));
        EXPECT_EQ(dataStatus(sampleFolder()), QStringLiteral("1"));
        EXPECT_EQ(page4Absent, c.called) << "the output-file page belongs to the program run by itself";

        switch (c.ending) {
        case Ending::Cancel:
            EXPECT_EQ(pages, (QStringList{"page1", "page2", "page3"}));
            EXPECT_EQ(messages.texts(), QStringList{u8("[キャンセル]ボタンが押されました。\r"
                                                       "連動データの作成ウィザードを終了してもよろしいですか？\r")});
            EXPECT_FALSE(QFileInfo::exists(outFile));
            break;
        case Ending::FailingExport:
            EXPECT_TRUE(onLastPage);
            EXPECT_TRUE(messages.texts().contains(u8("中間ファイルの作成に失敗しました。\r")))
                << messages.texts().join(u'\n').toStdString();
            EXPECT_FALSE(QFileInfo::exists(outFile));
            break;
        case Ending::Finish: {
            EXPECT_TRUE(onLastPage);
            EXPECT_EQ(pages.mid(0, 4), (QStringList{"page1", "page2", "page3", "page9"}));
            // Run by a caller, the success is told to the caller only.
            EXPECT_EQ(messages.texts(), c.called ? QStringList() : QStringList{u8("中間ファイルが作成されました。\r")});
            const QByteArray written = platformtest::readBytes(outFile);
            ASSERT_FALSE(written.isEmpty());
            const QString difference = firstDifference(elementBytes(written, "DATA"), elementBytes(golden, "DATA"));
            EXPECT_TRUE(difference.isEmpty())
                << "DATA differs from tests/link/data/ordinary.xml " << difference.toStdString();
            const struct {
                const char* element;
                const char* expected;
            } fields[] = {
                {"GYOUMUPREFIX", "RC25"},
                {"VERSION", "1"},
                {"FUNCTIONID", c.called ? "7" : "3"}, // the caller's parameter, else 3
                {"CONNECTEDPROGRAMVER", "15.0.1"},
                {"PROGRAMNAME", "タレック財務"},
                {"PROGRAMVER", "15.0.3"},
                {"KOMONSAKINAME", "株式会社みなと商事"},
                {"JIGYOUNENDOFROM", "20240401"},
                {"JIGYOUNENDOTO", "20250331"},
            };
            for (const auto& field : fields)
                EXPECT_EQ(elementText(written, field.element), u8(field.expected)) << field.element;
            EXPECT_EQ(elementBytes(written, "PATTERN"), elementBytes(golden, "PATTERN"));
            break;
        }
        }
    }
}

// The Diru.ini of the demo folder's settings, where the exporter remembers the last output path.
QString diruIni(const DemoFolder& folder)
{
    return folder.dataRoot() + QStringLiteral("/ini/Diru.ini");
}

// The net sales of the ordinary sample's journal in periods 1..lastPeriod (tax excluded).
qint64 sampleSales(int lastPeriod)
{
    const schema::sample::CompanyProfile company = schema::sample::ordinaryCompany();
    qint64 sales = 0;
    for (const schema::sample::JournalEntry& e :
         schema::sample::ordinaryJournal(company, schema::sample::kOrdinaryTradeEntries))
        if (e.mnum <= lastPeriod && e.credit.kcode == QStringLiteral("4101"))
            sales += e.credit.net;
    return sales;
}

// The period panel of page 3 on the real form: every cell seen, and a click on the sixth month
// chooses the first half-year; the file then holds months 1-6 only.
TEST_F(ProgramRunTest, FirstHalfYearChosenWithTheMouse)
{
    saved.restore();
    QTemporaryDir out;
    const QString outFile = out.filePath(QStringLiteral("half.xml"));
    platform::CallerWindow caller(kCallerWindow);
    QStringList cellTexts;
    int cellsSeen = 0;
    int slotsAfterClick[2] = {-1, -1};
    QString summary;
    QStringList layoutFaults;
    auto layoutCheck = [&](bool holds, const char* what) {
        if (!holds)
            layoutFaults << QString::fromUtf8(what);
    };
    ProgramDriver driver;
    driver.Wizard = [&](taxlink::TForm1& form) {
        QPointer<taxlink::TForm1> f = &form;
        const QRect screen = f->screen()->availableGeometry();
        if ((QRect(f->pos(), f->size()).center() - screen.center()).manhattanLength() > 2)
            layoutFaults << QStringLiteral("form not centred: %1,%2 %3x%4 on %5x%6")
                                .arg(f->x()).arg(f->y()).arg(f->width()).arg(f->height())
                                .arg(screen.width()).arg(screen.height());
        f->Wizard1->NextClick();
        f->btnDataSentakuClick();
        if (!f)
            return;
        // The data set's values in two columns under a title row.
        layoutCheck(f->listDataInfo->columnCount() == 2 && !f->listDataInfo->isHeaderHidden(), "value list");
        layoutCheck(f->listDataInfo->topLevelItemCount() == 4, "four values");
        layoutCheck(f->listDataInfo->topLevelItemCount() > 1
                        && f->listDataInfo->topLevelItem(1)->text(0) == u8("会社名")
                        && f->listDataInfo->topLevelItem(1)->text(1) == u8("株式会社みなと商事"),
                    "company row");
        f->Wizard1->NextClick(); // the calculation page
        if (!f || f->CurrentPageName() != QStringLiteral("page3"))
            return;
        controls::TxKikanPanel16* panel = f->xKikanPanel3a;
        for (int i = 0; i < 16; ++i) {
            QLabel* cell = panel->Cell(i);
            cellTexts << cell->text();
            if (cell->isVisible() && cell->width() > 0 && cell->height() > 0
                && panel->rect().contains(cell->geometry()))
                ++cellsSeen;
        }
        // The cell of the sixth month of the year (cell 6: three months and a mark before it).
        QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, panel->Cell(6)->geometry().center());
        slotsAfterClick[0] = panel->Stno();
        slotsAfterClick[1] = panel->Edno();
        f->RadioButton3b->setChecked(true); // 税抜き
        f->Wizard1->NextClick(); // the equity page
        if (!f)
            return;
        for (controls::TxGrid* grid : {f->page9->KamokuList9a, f->page9->KamokuList9b})
            layoutCheck(grid->columnWidth(0) + grid->columnWidth(1) >= grid->viewport()->width() - 2, "grid width used");
        f->Wizard1->NextClick(); // the summary
        if (!f)
            return;
        summary = f->Memo5b->toPlainText();
        const QFontMetrics summaryFont(f->Memo5b->font());
        layoutCheck(QFontInfo(f->Memo5b->font()).family().contains(QStringLiteral("Mono"))
                        || QFontInfo(f->Memo5b->font()).family() == QStringLiteral("IPAGothic"),
                    "fixed-pitch summary");
        layoutCheck(summaryFont.horizontalAdvance(u8(" 会社名        ")) == summaryFont.horizontalAdvance(u8(" 消費税計算区分")),
                    "colons line up");
        f->Wizard1->NextClick(); // Finish
    };
    const int code = taxlink::RunProgram(
        {sampleFolder().programFile(),
         {QStringLiteral("%1,%2,%3,%4").arg(kCallerWindow).arg(kCallerMessage).arg(kCallerParam).arg(outFile)},
         /*KeepMessageService=*/true});
    EXPECT_TRUE(driver.Problems.isEmpty()) << driver.Problems.join(u'\n').toStdString();
    EXPECT_EQ(code, 0) << messages.texts().join(u'\n').toStdString();

    EXPECT_EQ(cellTexts, (QStringList{"4", "5", "6", u8("・"), "7", "8", "9", u8("・"), "10", "11", "12", u8("・"),
                                      "1", "2", "3", u8("決")}));
    EXPECT_EQ(cellsSeen, 16);
    EXPECT_TRUE(layoutFaults.isEmpty()) << layoutFaults.join(u'\n').toStdString();
    EXPECT_EQ(slotsAfterClick[0], 0);
    EXPECT_EQ(slotsAfterClick[1], 7) << "the first half-year";
    EXPECT_TRUE(summary.contains(u8(" 計算対象期間  : 2024年4月 ～ 24年9月"))) << summary.toStdString();

    const QByteArray written = platformtest::readBytes(outFile);
    ASSERT_FALSE(written.isEmpty());
    const QRegularExpressionMatch netSales =
        QRegularExpression(QStringLiteral("<NetSales [^>]*Amount=\"(-?\\d+)\"")).match(platform::fromCp932(written));
    ASSERT_TRUE(netSales.hasMatch());
    const qint64 halfYear = sampleSales(7);
    ASSERT_NE(halfYear, sampleSales(16));
    EXPECT_EQ(netSales.captured(1).toLongLong(), halfYear) << "the sales of months 1-6";
}

// A caller that gives no output path: the output page stays, offers the path remembered in
// Diru.ini and checks it; the summary names the file before it is written there.
TEST_F(ProgramRunTest, CalledWithoutAPathShowsTheOutputPage)
{
    saved.restore();
    QTemporaryDir out;
    const QString remembered = out.filePath(QStringLiteral("remembered.xml"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(diruIni(sampleFolder())).absolutePath()));
    platform::TIniFile(diruIni(sampleFolder()))
        .WriteString(QStringLiteral("GROUPTSUSAN"), QStringLiteral("EXPORTFILE"), remembered);
    platform::CallerWindow caller(kCallerWindow);
    QStringList pages;
    QString offered;
    QString summary;
    ProgramDriver driver;
    driver.Wizard = [&](taxlink::TForm1& form) {
        QPointer<taxlink::TForm1> f = &form;
        for (int i = 0; i < f->Wizard1->PageCount(); ++i)
            pages << f->Wizard1->widget(i)->objectName();
        f->Wizard1->NextClick();
        f->btnDataSentakuClick();
        for (int step = 0; f && step < 3 && f->CurrentPageName() != QStringLiteral("page4"); ++step)
            f->Wizard1->NextClick();
        if (!f || f->CurrentPageName() != QStringLiteral("page4"))
            return;
        offered = f->Edit4a->text();
        f->Wizard1->NextClick(); // the summary
        if (!f)
            return;
        summary = f->Memo5b->toPlainText();
        f->Wizard1->NextClick(); // Finish
    };
    const int code = taxlink::RunProgram({sampleFolder().programFile(),
                                          {QStringLiteral("%1,%2,0").arg(kCallerWindow).arg(kCallerMessage)},
                                          /*KeepMessageService=*/true});
    EXPECT_TRUE(driver.Problems.isEmpty()) << driver.Problems.join(u'\n').toStdString();
    EXPECT_EQ(code, 0) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(pages, (QStringList{"page1", "page2", "page3", "page9", "page4", "page5"}));
    EXPECT_EQ(offered, remembered);
    EXPECT_TRUE(summary.contains(u8("【中間ファイル】\n ") + remembered)) << summary.toStdString();
    EXPECT_FALSE(platformtest::readBytes(remembered).isEmpty());
    caller.waitForLines(3, 5000);
    EXPECT_EQ(caller.lines(), (QStringList{QStringLiteral("enable 0"), QStringLiteral("enable 1"),
                                           QStringLiteral("%1 0 0").arg(kCallerMessage)}));
}

// A termination signal closes the program in order: at the login, and with a data set open on
// the wizard. The program body runs in a child process (link_signal_child) that says when it
// is there; SIGTERM then ends it with result 1, the caller enabled and told 1, and the data set
// released.
TEST_F(ProgramRunTest, TerminationSignalClosesInOrder)
{
    for (const char* where : {"login", "data"}) {
        SCOPED_TRACE(where);
        platform::CallerWindow caller(kCallerWindow);
        QProcess child;
        child.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        child.setReadChannel(QProcess::StandardOutput);
        child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/link_signal_child"),
                    {QString::fromLatin1(where), sampleFolder().programFile(),
                     QStringLiteral("%1,%2,%3,").arg(kCallerWindow).arg(kCallerMessage).arg(kCallerParam)});
        ASSERT_TRUE(child.waitForStarted());
        QEventLoop loop; // the caller's socket is served meanwhile
        bool ready = false;
        QObject::connect(&child, &QProcess::readyReadStandardOutput, &loop, [&] {
            ready = ready || child.readAllStandardOutput().contains("ready");
            if (ready)
                loop.quit();
        });
        QObject::connect(&child, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(120000, &loop, &QEventLoop::quit);
        loop.exec();
        ASSERT_TRUE(ready) << child.readAllStandardError().toStdString();
        if (std::string(where) == "data") {
            EXPECT_EQ(dataStatus(sampleFolder()), QStringLiteral("2")) << "in use while open";
        }

        child.terminate(); // SIGTERM
        QObject::disconnect(&child, &QProcess::readyReadStandardOutput, nullptr, nullptr);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        if (child.state() != QProcess::NotRunning)
            loop.exec();
        if (child.state() != QProcess::NotRunning) {
            child.kill();
            child.waitForFinished();
            FAIL() << "the program did not end on SIGTERM";
        }
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(child.exitCode(), 1) << child.readAllStandardError().toStdString();
        caller.waitForLines(3, 5000);
        EXPECT_EQ(caller.lines(), (QStringList{QStringLiteral("enable 0"), QStringLiteral("enable 1"),
                                               QStringLiteral("%1 %2 1").arg(kCallerMessage).arg(kCallerParam)}));
        EXPECT_EQ(dataStatus(sampleFolder()), QStringLiteral("1"));
        EXPECT_FALSE(platform::NamedMutex::exists(QString::fromLatin1(taxlink::kLinkMutex)));
    }
}

} // namespace
