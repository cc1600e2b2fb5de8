#include "dbupgrade/webmenu/TfmWebMenuL.h"

#include "controls/buttons/TxPlButton.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/dm/TDM.h"
#include "core/errors/FbAccessError.h"
#include "core/modules/ModuleRegistry.h"
#include "core/ui/MessageService.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTimer>

namespace dbupgrade {

namespace {

const QString kCaption = QStringLiteral(u"ログインユーザー");

QString valueOf(const QStringList& lines, const QString& key, bool* present)
{
    *present = false;
    for (const QString& line : lines) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).compare(key, Qt::CaseInsensitive) == 0) {
            *present = true;
            return line.mid(eq + 1);
        }
    }
    return {};
}

} // namespace

void RegisterWebMenuLModule()
{
    core::RegisterModuleForm(core::ModuleFormClass<TfmWebMenuL>(), QStringLiteral("WebMenuL"));
}

TfmWebMenuL::TfmWebMenuL(QWidget* owner) : TBSDI(owner, bsDialog)
{
    RirekiSw = false;
    AccInfoSw = false;
    FormSizeSw = false;
    KeepOnClose = true; // the module's caller holds the form
    setWindowTitle(kCaption);
    setFixedSize(357, 361);

    PerfectGrid1 = new controls::TxGrid(this);
    PerfectGrid1->setGeometry(31, 16, 295, 193);
    PerfectGrid1->SetCols(3);
    const QStringList captions{QStringLiteral("No"), QStringLiteral(u"コード"), QStringLiteral(u"オペレータ名")};
    const int widths[] = {50, 70, 154};
    for (int col = 0; col < 3; ++col) {
        PerfectGrid1->SetColWidth(col, widths[col]);
        PerfectGrid1->SetCells(col, -1, captions.at(col));
    }
    SetGridColors(*PerfectGrid1, 0);

    auto* hint = new QPlainTextEdit(this);
    hint->setGeometry(31, 220, 295, 80);
    hint->setPlainText(QStringLiteral(u"他のオペレーターがタレック財務を利用中のため、バ\n"
                                      u"ージョンアップができません。\n"
                                      u"他のオペレータの利用がない状態で、管理者権限に\n"
                                      u"て、バージョンアップを実行してください。\n"));
    hint->setReadOnly(true);
    hint->setEnabled(false);
    HintArea = hint;

    F12 = new controls::TxPlButton(this);
    F12->CaptionA().SetCaption(QStringLiteral(u"F12:閉じる"));
    F12->setGeometry(246, 316, 80, 30);
    F12->SetModalResult(core::mrOk);
    F12->OnClick = [](QObject*) {};
    F12Button = F12;
    ESC = new controls::TxPlButton(this);
    ESC->CaptionA().SetCaption(QStringLiteral(u"ESC:ｷｬﾝｾﾙ"));
    ESC->hide();
    F1 = new controls::TxPlButton(this);
    F1->CaptionA().SetCaption(QStringLiteral(u"F1:ヘルプ"));
    F1->hide();

    if (!fnDBConect_OP())
        closeAtShow_ = true;
    InitOK = true;
}

TfmWebMenuL::~TfmWebMenuL() = default;

bool TfmWebMenuL::fnDBConect_OP()
{
    core::TDM& dm = core::RequireDM();
    core::TIBTransaction& transaction = dm.IBTransactionDEF;
    const bool started = !transaction.inTransaction();
    Logins.clear();
    try {
        if (started)
            transaction.startTransaction();
        core::TIBSQL query(&dm.IBDatabaseDEF, &transaction);
        query.sql() << QStringLiteral("SELECT * FROM LOGONUSERLIST ");
        query.execQuery();
        for (; !query.eof(); query.next())
            if (query.fieldByName(QStringLiteral("OPCODE")).asInteger() != core::SystemDef.OPCODE)
                Logins << TWebMenuLogin{query.fieldByName(QStringLiteral("OPERATORCODE")).asInteger(),
                                        query.fieldByName(QStringLiteral("GROUPID")).asInteger(), QString()};
        query.close();
        core::TIBSQL names(&dm.IBDatabaseDEF, &transaction);
        names.sql() << QStringLiteral("SELECT * FROM OPERATOR ") << QStringLiteral("WHERE GROUPID =:GROUPID and OPCODE =:OPCODE ");
        for (TWebMenuLogin& login : Logins) {
            names.paramByName(QStringLiteral("GROUPID")).setInteger(login.GroupId);
            names.paramByName(QStringLiteral("OPCODE")).setInteger(login.OperatorCode);
            names.execQuery();
            if (!names.eof())
                login.OperatorName = names.fieldByName(QStringLiteral("OPNAME")).asString();
            names.close();
        }
        if (started)
            transaction.commit();
    } catch (const core::EIBError& e) {
        core::ReportFbAccessError(e, QStringLiteral("TfmWebMenuL.fnDBConect_OP"), QString(), 0);
        if (started && transaction.inTransaction())
            transaction.commit();
        throw;
    } catch (...) {
        if (started && transaction.inTransaction())
            transaction.commit();
        throw;
    }
    return !Logins.isEmpty();
}

void TfmWebMenuL::SetModuleParams(const QStringList& params)
{
    ModuleParams = params;
    bool present = false;
    bool ok = false;
    const int syori = valueOf(params, QStringLiteral("SyoriType"), &present).trimmed().toInt(&ok);
    if (present && ok && syori >= 0)
        SyoriType = syori;
    const QString style = valueOf(params, QStringLiteral("FormStyle"), &present).trimmed();
    if (!present) {
        FormStyle = 0;
        return;
    }
    const int value = style.toInt(&ok);
    FormStyle = !ok ? 3 : (value >= 0 && value <= 2 ? value : 3);
    setWindowFlag(Qt::WindowStaysOnTopHint, FormStyle == 3);
}

void TfmWebMenuL::Prepare(int flag)
{
    PrepareFlag = flag;
    FirstLayout = false;
}

int TfmWebMenuL::RunModule(bool modal)
{
    if (!modal) {
        show();
        return 1;
    }
    if (core::HostMenuHook && core::HostMenuHook(10, QString()) > 0) {
        core::showMessage(core::MessageKind::Warning,
                          QStringLiteral(u"メニュー以外の処理が開いています。\r全ての処理を閉じてから処理を実行してください。"),
                          core::mbYes);
        return Logins.isEmpty() ? 0 : 1;
    }
    if (InitOK) {
        SetFormPosition(0, 0, 0, 0, 3);
        Prepare(1);
        exec();
    } else {
        core::showMessage(core::MessageKind::Error,
                          QStringLiteral(u"%1画面の初期化に失敗しました。\r処理を終了します。").arg(kCaption), core::mbYes);
    }
    return Logins.isEmpty() ? 0 : 1;
}

void TfmWebMenuL::showEvent(QShowEvent* event)
{
    TBSDI::showEvent(event);
    if (closeAtShow_) {
        QTimer::singleShot(0, this, [this] { done(core::mrCancel); });
        return;
    }
    fillGrid();
}

void TfmWebMenuL::done(int)
{
    TBSDI::done(Logins.isEmpty() ? core::mrCancel : core::mrOk);
}

static bool isEscape(QEvent* event)
{
    return (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
           static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
}

bool TfmWebMenuL::eventFilter(QObject* watched, QEvent* event)
{
    if (isEscape(event))
        return true;
    return TBSDI::eventFilter(watched, event);
}

void TfmWebMenuL::keyPressEvent(QKeyEvent* event)
{
    if (isEscape(event)) {
        event->accept();
        return;
    }
    TBSDI::keyPressEvent(event);
}

void TfmWebMenuL::fillGrid()
{
    PerfectGrid1->SetRowCount(int(Logins.size()));
    for (int i = 0; i < Logins.size(); ++i) {
        PerfectGrid1->SetCellInt(0, i, i + 1);
        PerfectGrid1->SetCellInt(1, i, Logins.at(i).OperatorCode);
        PerfectGrid1->SetCells(2, i, Logins.at(i).OperatorName);
    }
}

} // namespace dbupgrade
