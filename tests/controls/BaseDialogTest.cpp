// The base dialog: defaults by border style, the first show against a real system and company
// database (FORMRSIZE, OPINF, the medical label rewrite), the close, the Esc and F12 keys, the
// host-menu hook, the ready-flag protocol and the scaling arithmetic.
#include "controls/buttons/TxPlButton.h"
#include "controls/forms/FontScale.h"
#include "controls/forms/MainForm.h"
#include "controls/forms/TBSDI.h"
#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/session/MedicalLayout.h"
#include "schema/DataRoot.h"
#include "schema/SchemaScripts.h"
#include "schema/sample/SampleDataSet.h"
#include "tests/core/DmTestSupport.h"
#include "tests/support/RecordingMessageService.h"
#include "tests/support/SampleRoot.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using controls::TBSDI;

// A subclass as the program's dialogs are written: switches after the base constructor,
// InitOK last.
class TTestForm : public TBSDI {
public:
    explicit TTestForm(TBorderStyle style, bool initOk = true) : TBSDI(nullptr, style) {
        setWindowTitle(QStringLiteral("テスト画面"));
        label1 = new QLabel(QStringLiteral("本・支店コード"), this);
        label1->setGeometry(10, 10, 200, 20);
        label2 = new QLabel(QStringLiteral("支店名"), this);
        label2->setGeometry(10, 40, 200, 20);
        button = new controls::TxPlButton(this);
        button->setGeometry(100, 100, 96, 24);
        button->OnClick = [this](QObject*) { ++clicks; };
        F12Button = button;
        InitOK = initOk;
    }
    QLabel* label1;
    QLabel* label2;
    controls::TxPlButton* button;
    int clicks = 0;
    int shows = 0;

protected:
    void showEvent(QShowEvent* event) override {
        ++shows;
        TBSDI::showEvent(event);
    }
};

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

TEST(BaseDialogTest, DefaultsByBorderStyle) {
    TTestForm dialog(TBSDI::bsDialog);
    TTestForm sizeable(TBSDI::bsSizeable);
    for (const TTestForm* form : {&dialog, &sizeable}) {
        const bool on = form == &sizeable;
        EXPECT_EQ(form->RirekiSw, on);
        EXPECT_EQ(form->SkipOtherProcSw, on);
        EXPECT_EQ(form->FormSizeSw, on);
        EXPECT_EQ(form->AccInfoSw, on);
        EXPECT_FALSE(form->HostMenuSw);
        EXPECT_FALSE(form->Shown);
        EXPECT_TRUE(form->FirstLayout);
        EXPECT_TRUE(form->F12FocusSw);
        EXPECT_EQ(form->FontRatio2, 100);
        EXPECT_NE(form->OwnerWnd, WId(0)); // its own window at creation
    }
    EXPECT_EQ(dialog.Name(), QStringLiteral("TestForm"));
}

// Esc and F12 act on their release, only for a key pressed while the form was up, and only
// without Shift, Ctrl or Alt.
TEST(BaseDialogTest, EscAndF12Keys) {
    core::TDM* dm = core::DM;
    core::DM = nullptr;
    struct Case {
        const char* name;
        TBSDI::TBorderStyle style;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool pressFirst;
        int buttonState; // 0 normal, 1 hidden, 2 disabled, 3 without click handler
        bool closed;
        int clicks;
    };
    const Case cases[] = {
        {"Esc closes a dialog", TBSDI::bsDialog, Qt::Key_Escape, Qt::NoModifier, true, 0, true, 0},
        {"Esc release of the opening key", TBSDI::bsDialog, Qt::Key_Escape, Qt::NoModifier, false, 0, false, 0},
        {"Shift+Esc", TBSDI::bsDialog, Qt::Key_Escape, Qt::ShiftModifier, true, 0, false, 0},
        {"Esc on a sizeable form", TBSDI::bsSizeable, Qt::Key_Escape, Qt::NoModifier, true, 0, false, 0},
        {"F12 presses the button", TBSDI::bsDialog, Qt::Key_F12, Qt::NoModifier, true, 0, false, 1},
        {"F12 release of the opening key", TBSDI::bsDialog, Qt::Key_F12, Qt::NoModifier, false, 0, false, 0},
        {"F12 hidden button", TBSDI::bsDialog, Qt::Key_F12, Qt::NoModifier, true, 1, false, 0},
        {"F12 disabled button", TBSDI::bsDialog, Qt::Key_F12, Qt::NoModifier, true, 2, false, 0},
        {"F12 button without handler", TBSDI::bsDialog, Qt::Key_F12, Qt::NoModifier, true, 3, false, 0},
        {"F12 closes a sizeable form", TBSDI::bsSizeable, Qt::Key_F12, Qt::NoModifier, true, 0, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTestForm form(c.style);
        form.KeepOnClose = true;
        form.RirekiSw = form.FormSizeSw = form.AccInfoSw = false;
        if (c.buttonState == 1)
            form.button->hide();
        if (c.buttonState == 2)
            form.button->setEnabled(false);
        if (c.buttonState == 3)
            form.button->OnClick = nullptr;
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
        if (c.pressFirst)
            QTest::keyPress(target, c.key, c.modifiers);
        QTest::keyRelease(QApplication::focusWidget() ? QApplication::focusWidget() : &form, c.key, c.modifiers);
        EXPECT_EQ(!form.isVisible(), c.closed);
        EXPECT_EQ(form.clicks, c.clicks);
    }
    core::DM = dm;
}

TEST(BaseDialogTest, FormKeyUpLeavesKeyOfAnUnusableF12Button) {
    TTestForm form(TBSDI::bsDialog);
    form.button->setEnabled(false);
    int key = Qt::Key_F12;
    form.FormKeyUp(key, Qt::NoModifier);
    EXPECT_EQ(key, Qt::Key_F12);
    form.button->setEnabled(true);
    form.FormKeyUp(key, Qt::NoModifier);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(form.clicks, 1);
}

TEST(BaseDialogTest, HostMenuHookCodes) {
    dmtest::ScopedSession session;
    const core::THostMenuHook saved = core::HostMenuHook;
    struct Case {
        int otherWindows;
        bool hostMenuSw;
        QStringList calls;
        int state;
    };
    const Case cases[] = {
        {0, true, {"10:", "11:TessaroMenu", "4:"}, 7},
        {2, true, {"10:"}, 0},
        {0, false, {}, 0},
    };
    for (const Case& c : cases) {
        QStringList calls;
        core::HostMenuHook = [&](int code, const QString& name) {
            calls << QStringLiteral("%1:%2").arg(code).arg(name);
            return code == 10 ? c.otherWindows : code == 11 ? 7 : 99;
        };
        core::SystemDef.HostMenuState = 3;
        TTestForm form(TBSDI::bsDialog);
        form.KeepOnClose = true;
        form.HostMenuSw = c.hostMenuSw;
        form.show();
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(core::SystemDef.HostMenuState, c.state);
        EXPECT_EQ(form.HostMenuSw, c.hostMenuSw && c.otherWindows == 0);
        form.Close();
    }
    core::HostMenuHook = saved;
}

TEST(BaseDialogTest, ShowLongHintTable) {
    QPlainTextEdit memo;
    QWidget control;
    const struct {
        QString hint;
        QString shown;
    } cases[] = {{"短い|長いヒント", "長いヒント"}, {"ヒントだけ", "ヒントだけ"}, {"", ""}, {"a|b|c", "b|c"}};
    for (const auto& c : cases) {
        control.setProperty("Hint", c.hint);
        memo.setPlainText(QStringLiteral("前"));
        TBSDI::ShowLongHint(&control, &memo);
        EXPECT_EQ(memo.toPlainText(), c.shown) << c.hint.toStdString();
    }
    memo.setPlainText(QStringLiteral("前"));
    TBSDI::ShowLongHint(nullptr, &memo);
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("前"));
}

// A form whose creation failed is not shown: the opener reports it with the form's caption.
TEST(BaseDialogTest, FailedInitialisationIsReportedAndNotShown) {
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scoped(messages);
    TTestForm form(TBSDI::bsDialog, false);
    form.KeepOnClose = true;
    EXPECT_EQ(controls::ShowFormModal(form), core::mrCancel);
    EXPECT_EQ(form.shows, 0);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("テスト画面画面の初期化に失敗しました。\r処理を終了します。"));
    EXPECT_EQ(messages.messages[0].kind, core::MessageKind::Error);
    EXPECT_EQ(messages.messages[0].buttons, core::mbYes);
}

TEST(BaseDialogTest, FontScaleArithmetic) {
    const struct {
        int base, screen, ppi;
        int b, r, p;
    } cases[] = {
        {9, 9, 96, 96, 100, 96},     // operator font = standard font: the design layout
        {10, 10, 120, 120, 100, 120}, // standard font of size 10: the screen's density is the base
        {12, 10, 96, 96, 120, 116},  // 96 × 1.2 = 115.2, rounded up
        {9, 12, 144, 96, 77, 74},    // standard size other than 10: base 96 whatever the screen
        {0, 10, 96, 96, 100, 96},    // no operator font yet
    };
    for (const auto& c : cases) {
        const controls::TFontScale s = controls::ComputeFontScale(c.base, c.screen, c.ppi);
        EXPECT_EQ(s.Base, c.b) << c.base << "/" << c.screen << "@" << c.ppi;
        EXPECT_EQ(s.Ratio, c.r) << c.base << "/" << c.screen << "@" << c.ppi;
        EXPECT_EQ(s.PixelsPerInch, c.p) << c.base << "/" << c.screen << "@" << c.ppi;
    }
}

// The operator's larger font scales the form once: the second show leaves it alone.
TEST(BaseDialogTest, FirstShowScalesOnce) {
    dmtest::ScopedSession session;
    core::DM = nullptr;
    core::SystemDef.ScreenFont.Size = 10;
    core::SystemDef.BaseFont.Size = 12;
    TTestForm form(TBSDI::bsDialog);
    form.KeepOnClose = true;
    form.show();
    EXPECT_EQ(form.FontRatio, 120);
    EXPECT_EQ(form.PixelsPerInch, 116);
    EXPECT_EQ(form.button->geometry(), QRect(120, 120, 116, 29)); // 100 × 116 / 96 …
    EXPECT_TRUE(form.button->CaptionVertCenter());
    form.Close();
    form.show();
    EXPECT_EQ(form.button->geometry(), QRect(120, 120, 116, 29));
    form.Close();
}

TEST(BaseDialogTest, ScreenCentrePositionIsClampedToTheWorkArea) {
    controls::SetMainForm(nullptr);
    const QRect work = controls::DesktopWorkArea();
    TTestForm small(TBSDI::bsDialog);
    small.resize(300, 200);
    small.SetFormPosition(0, 0, 0, 0, 3);
    EXPECT_EQ(small.pos(), QPoint(work.x() + (work.width() - 300) / 2, work.y() + (work.height() - 200) / 2));
    EXPECT_EQ(small.Position, controls::poScreenCenter);
    TTestForm large(TBSDI::bsDialog);
    large.resize(work.width() + 100, work.height() + 100);
    large.SetFormPosition(0, 0, 0, 0, 2); // no main form: centred on the screen as well
    EXPECT_EQ(large.pos(), QPoint(0, 0));
}

// The first show and the close against the schema's system and company databases.
class BaseDialogDbTest : public testing::Test {
protected:
    static constexpr qint32 kOpcode = 100000010;

    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        root_ = std::make_unique<schema::DataRoot>(schema::DbAccount{}, dir_->path());
        using schema::sample::SampleKind;
        setupError_ = testsupport::createSampleRoot(*root_, {SampleKind::Ordinary, SampleKind::Medical});
    }
    static void TearDownTestSuite() {
        root_.reset();
        dir_.reset();
    }

    void SetUp() override {
        ASSERT_TRUE(setupError_.isEmpty()) << setupError_.toStdString();
        core::SystemDef.USER = QStringLiteral("TALLEK");
        core::SystemDef.PASSWORD = QStringLiteral("vorbin");
        core::SystemDef.SYSDIR = root_->sysDir();
        core::SystemDef.WorkDir = work.path();
        core::SystemDef.LogDir = work.path();
        core::SystemDef.ProgramRoot = work.path();
        core::SystemDef.OPCODE = kOpcode;
        core::SystemDef.ComputerName = QStringLiteral("PC-TEST");
        core::ConnectMode = 0;
        core::FatalDbError = false;
        core::DM = &dm;
        ASSERT_TRUE(dm.fnAccDefConnected(QString(), 1)) << messages.texts().join(u'\n').toStdString();
    }
    void TearDown() override {
        core::AccInf = accInf_;
        core::SelectMedicalLayout(medical_);
    }

    void openCompany(int sample) {
        ASSERT_TRUE(dm.fnAccDatConnected(QString(), root_->dataFolder(sample), 0))
            << messages.texts().join(u'\n').toStdString();
    }

    QString systemScalar(const QString& sql) { return scalar(root_->systemDatabasePath(), sql); }
    QString companyScalar(int sample, const QString& sql) {
        return scalar(root_->dataFolder(sample) + QStringLiteral("/qmacc.fdb"), sql);
    }
    static QString scalar(const QString& file, const QString& sql) {
        const std::unique_ptr<core::TIBDatabase> db = schema::openDatabase(schema::DbAccount{}, file);
        core::TIBTransaction t;
        t.addDatabase(db.get());
        t.startTransaction();
        core::TIBSQL q(db.get(), &t);
        q.sql() << sql;
        q.execQuery();
        QStringList fields;
        for (int i = 0; !q.eof() && i < q.fieldCount(); ++i)
            fields << q.fields(i).asString();
        return q.eof() ? QStringLiteral("<no row>") : fields.join(u',');
    }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline std::unique_ptr<schema::DataRoot> root_;
    static inline QString setupError_;

    dmtest::ScopedSession session;
    core::TACCINF accInf_ = core::AccInf;
    bool medical_ = core::MedicalLayoutSelected();
    QTemporaryDir work;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService scopedMessages{messages};
    core::TDM dm;
};

TEST_F(BaseDialogDbTest, FirstShowInsertsSizeAndHistoryAndNextShowRestoresTheClosedSize) {
    openCompany(1);
    QPointer<TTestForm> form = new TTestForm(TBSDI::bsSizeable);
    form->show();
    EXPECT_TRUE(form->Shown);
    EXPECT_EQ(form->size(), QSize(1012, 648).boundedTo(form->maximumSize())); // the screen bounds the form
    EXPECT_EQ(systemScalar(QStringLiteral("SELECT FMTOP,FMLEFT,FMHEIGHT,FMWIDTH,FMDEFHEIGHT,FMDEFWIDTH FROM FORMRSIZE "
                                          "WHERE OPCODE=100000010 AND FMNAME='TestForm'")),
              QStringLiteral("0,0,648,1012,648,1012"));
    EXPECT_EQ(companyScalar(1, QStringLiteral("SELECT JOBNAME,PCNAME FROM OPINF WHERE OPCODE=100000010")),
              QStringLiteral("テスト画面,PC-TEST"));
    EXPECT_EQ(core::SystemDef.DialogShown, 1);
    EXPECT_EQ(form->minimumSize(), QSize(int(656 * 0.6), int(415 * 0.6)));
    // Ordinary data keeps the labels.
    EXPECT_EQ(form->label1->text(), QStringLiteral("本・支店コード"));

    form->resize(800, 500);
    form->Close();
    flushDeletes();
    EXPECT_TRUE(form.isNull()); // freed on close
    EXPECT_EQ(systemScalar(QStringLiteral("SELECT FMHEIGHT,FMWIDTH FROM FORMRSIZE WHERE OPCODE=100000010 AND "
                                          "FMNAME='TestForm'")),
              QStringLiteral("500,800"));
    EXPECT_EQ(companyScalar(1, QStringLiteral("SELECT COUNT(*) FROM OPINF")), QStringLiteral("0"));
    EXPECT_EQ(companyScalar(1, QStringLiteral("SELECT JOBNAME,STATE FROM OPHIST WHERE OPCODE=100000010 "
                                              "ORDER BY REC DESC ROWS 1")),
              QStringLiteral("テスト画面,正常終了"));

    form = new TTestForm(TBSDI::bsSizeable);
    form->show();
    EXPECT_EQ(form->size(), QSize(800, 500));
    form->Close();
    flushDeletes();
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.texts().join(u'\n').toStdString();
}

TEST_F(BaseDialogDbTest, MedicalDataReadsFacilityInLabels) {
    openCompany(2);
    TTestForm form(TBSDI::bsSizeable); // reloads the company information at first show
    form.KeepOnClose = true;
    form.show();
    EXPECT_EQ(core::AccInf.MedicalData, 1);
    EXPECT_EQ(form.label1->text(), QStringLiteral("施設コード"));
    EXPECT_EQ(form.label2->text(), QStringLiteral("施設名"));
    form.Close();
}

// A size that cannot be stored is reported and the form opens anyway; a history record that
// cannot be written is raised again after the close has cleaned up. Another connection holds
// the rows (the form's transactions do not wait), as a second workstation would.
TEST_F(BaseDialogDbTest, FailureRules) {
    openCompany(1);
    const std::unique_ptr<core::TIBDatabase> system =
        schema::openDatabase(schema::DbAccount{}, root_->systemDatabasePath());
    core::TIBTransaction holder;
    holder.addDatabase(system.get());
    holder.startTransaction();
    core::TIBSQL hold(system.get(), &holder);
    hold.sql() << QStringLiteral("INSERT INTO FORMRSIZE VALUES(100000010,'FailForm',0,0,1,1,1,1)");
    hold.execSQL();

    TTestForm form(TBSDI::bsSizeable);
    form.setObjectName(QStringLiteral("FailForm"));
    form.KeepOnClose = true;
    form.show();
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("画面サイズの読込に失敗しました。"));
    EXPECT_FALSE(dm.IBTransactionDEF.inTransaction());
    holder.rollback();

    const std::unique_ptr<core::TIBDatabase> company =
        schema::openDatabase(schema::DbAccount{}, root_->dataFolder(1) + QStringLiteral("/qmacc.fdb"));
    core::TIBTransaction companyHolder;
    companyHolder.addDatabase(company.get());
    companyHolder.startTransaction();
    core::TIBSQL lock(company.get(), &companyHolder);
    lock.sql() << QStringLiteral("UPDATE OPINF SET PCNAME='OTHER' WHERE OPCODE=100000010");
    lock.execSQL();

    messages.messages.clear();
    form.FormSizeSw = false;
    form.KeepOnClose = false;
    controls::TCloseAction action = controls::caHide;
    EXPECT_THROW(form.FormClose(action), core::EIBError);
    EXPECT_EQ(action, controls::caFree); // the clean-up ran
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(form.IBTransactionDAT.inTransaction());
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("処理履歴の書込に失敗しました。"));
    companyHolder.rollback();
    form.KeepOnClose = true;
    form.RirekiSw = false;
    form.Close();
}

TEST_F(BaseDialogDbTest, FactoriesBindToTheCompanyDatabase) {
    openCompany(1);
    TTestForm form(TBSDI::bsDialog);
    const std::unique_ptr<core::TIBSQL> proc = form.CreateStoredProc(QStringLiteral("OPINF_DELETE"));
    ASSERT_TRUE(proc);
    EXPECT_EQ(proc->sql().join(u' '), QStringLiteral("EXECUTE PROCEDURE OPINF_DELETE(:OPCODE,:JOBNAME,:STATE)"));
    const std::unique_ptr<core::TIBSQL> query = form.CreateQuery();
    ASSERT_TRUE(query);
    EXPECT_EQ(query->transaction(), &form.IBTransactionDAT);
    EXPECT_EQ(query->database(), &dm.IBDatabaseDAT);
}

// A picture of a base dialog with Japanese labels, to look at.
TEST(BaseDialogTest, ScreenshotArtifact) {
    dmtest::ScopedSession session;
    core::DM = nullptr;
    TTestForm form(TBSDI::bsDialog);
    form.KeepOnClose = true;
    form.button->CaptionA().SetCaption(QStringLiteral("F12:実行"));
    form.resize(320, 160);
    form.show();
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/artifacts");
    QDir().mkpath(dir);
    const QString path = dir + QStringLiteral("/base-dialog.png");
    ASSERT_TRUE(form.grab().save(path));
    std::printf("base dialog screenshot: %s\n", qPrintable(path));
    form.Close();
}

} // namespace
