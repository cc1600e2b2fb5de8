// The common print dialog.
#include "print/PrintDlgBox.h"

#include "print/PrnColorSetBox.h"

#include "controls/buttons/TxPlButton.h"
#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/settings/StyleColor.h"
#include "core/text/SjisText.h"
#include "core/ui/MessageService.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace print {

namespace {

const QString kContext = QStringLiteral("TPrintDlgBox.GetStyleColorRec");

QString upperAscii(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 0x20);
    return out;
}

// Runs the work on the system database, in a transaction of its own when none is active.
template <typename Work>
void onSystemDatabase(const QString& failureMessage, bool rollbackOnFailure, Work work) {
    if (!core::DM)
        return;
    core::TIBTransaction& transaction = core::DM->IBTransactionDEF;
    const bool own = !transaction.inTransaction();
    try {
        if (own)
            transaction.startTransaction();
        core::TIBSQL q(&core::DM->IBDatabaseDEF, &transaction);
        work(q);
        if (own && transaction.inTransaction())
            transaction.commit();
        return;
    } catch (const core::EIBError& e) {
        core::ReportFbAccessError(e, kContext, failureMessage, 0);
    } catch (const std::exception& e) {
        core::ShowMessageWithDetail(failureMessage, core::exceptionText(e), core::MessageKind::Error);
    }
    try {
        if (own && transaction.inTransaction()) {
            if (rollbackOnFailure)
                transaction.rollback();
            else
                transaction.commit();
        }
    } catch (const std::exception&) {
    }
}

} // namespace

TPrintDlgBox::TPrintDlgBox(QWidget* owner) : TBSDI(owner) {
    HostMenuSw = false;
    FormSizeSw = false;
    auto* layout = new QVBoxLayout(this);
    lblMain = new QLabel(this);
    layout->addWidget(lblMain);
    auto* colourRow = new QHBoxLayout;
    lblColor = new QLabel(QStringLiteral("色指定:"), this);
    grpColor = new QGroupBox(this);
    auto* g = new QHBoxLayout(grpColor);
    btnMono = new QRadioButton(QStringLiteral("白黒印刷"), grpColor);
    btnColor = new QRadioButton(QStringLiteral("カラー印刷"), grpColor);
    btnMono->setChecked(true);
    g->addWidget(btnMono);
    g->addWidget(btnColor);
    btnColorSelect = new controls::TxPlButton(this);
    btnColorSelect->CaptionA().SetCaption(QStringLiteral("色選択"));
    colourRow->addWidget(lblColor);
    colourRow->addWidget(grpColor);
    colourRow->addWidget(btnColorSelect);
    layout->addLayout(colourRow);
    auto* pageRow = new QHBoxLayout;
    lblStartPage = new QLabel(QStringLiteral("開始ﾍﾟｰｼﾞ:"), this);
    txtStartPage = new QLineEdit(QStringLiteral("1"), this);
    txtStartPage->setAlignment(Qt::AlignRight);
    txtStartPage->setAttribute(Qt::WA_InputMethodEnabled, false);
    pageRow->addWidget(lblStartPage);
    pageRow->addWidget(txtStartPage);
    layout->addLayout(pageRow);
    chkBoth = new QCheckBox(QStringLiteral("両面印刷用に余白を調整する"), this);
    layout->addWidget(chkBoth);
    HintArea = new QPlainTextEdit(this);
    HintArea->setReadOnly(true);
    layout->addWidget(HintArea);
    auto* buttons = new QHBoxLayout;
    auto make = [&](const QString& caption) {
        auto* b = new controls::TxPlButton(this);
        b->CaptionA().SetCaption(caption);
        buttons->addWidget(b);
        return b;
    };
    btnPreview = make(QStringLiteral("プレビュー"));
    btnCopy = make(QStringLiteral("コピー"));
    btnOK = make(QStringLiteral("OK"));
    btnCancel = make(QStringLiteral("キャンセル"));
    layout->addLayout(buttons);
    for (controls::TxPlButton* b : {btnPreview, btnCopy, btnOK})
        b->OnClick = [this, b](QObject*) { btnOKClick(b); };
    btnCancel->OnClick = [this](QObject*) { btnCancelClick(); };
    btnColorSelect->OnClick = [this](QObject*) { btnColorSelectClick(); };
    HintMemo = HintArea;
    F12Button = btnOK;
    KeepOnClose = true; // hidden on close; the caller frees it
    DlgMessageColor = palette().color(QPalette::WindowText);
    InitOK = true;
}

void TPrintDlgBox::InitDefaultPrintRec(TDefaultPrintRec& rec) {
    rec = TDefaultPrintRec{};
    rec.LineColor1 = core::SystemDef.PLineColor1;
    rec.LineColor2 = core::SystemDef.PLineColor2;
    rec.NetColor1 = core::SystemDef.NetColor1;
    rec.NetColor2 = core::SystemDef.NetColor2;
}

void TPrintDlgBox::Prepare(int mode) {
    PrepareMode = mode;
    SetHints();
    LayoutControls();
    FirstLayout = false;
}

void TPrintDlgBox::LayoutControls() {
    PrintAction = 0;
    setWindowTitle(DlgCaption);
    lblMain->setText(DlgMessage);
    QPalette pal = lblMain->palette();
    pal.setColor(QPalette::WindowText, DlgMessageColor);
    lblMain->setPalette(pal);
    lblColor->setVisible(ColorSw);
    grpColor->setVisible(ColorSw);
    btnColorSelect->setVisible(ColorSw);
    lblStartPage->setVisible(StartPageSw);
    txtStartPage->setVisible(StartPageSw);
    chkBoth->setVisible(BothSw);
    btnPreview->setVisible(PreviewSw);
    btnCopy->setVisible(CopySw);
    if (FirstLayout) {
        if (ColorSw)
            resize(width(), 250);
        if (StartPageSw)
            resize(width(), 300);
        if (BothSw)
            resize(width(), 300);
    }
    GetStyleColorRec();
    HozonFukugen(QStringLiteral("Fukugen"));
}

void TPrintDlgBox::SetHints() {
    auto hint = [](QWidget* w, const QString& text) {
        w->setToolTip(text.section(u'|', 0, 0));
        w->setWhatsThis(text.section(u'|', 1));
        w->setProperty("Hint", text);
    };
    hint(btnMono, QStringLiteral("白黒で印刷する場合に選択します。|白黒で印刷する場合に選択します。"));
    hint(btnColor, QStringLiteral("色付きで印刷する場合に選択します。|色付きで印刷する場合に選択します。\r\n「色選択」ﾎﾞﾀﾝを押すと好みの色に変更できます。"));
    hint(btnColorSelect, QStringLiteral("「色選択」画面を開きます。|「色選択」画面を開きます。\r\n「ｶﾗｰ印刷」を行う場合の色を指定します。"));
    hint(txtStartPage, QStringLiteral("1ﾍﾟｰｼﾞ目のﾍﾟｰｼﾞ番号を指定します。|1ﾍﾟｰｼﾞ目のﾍﾟｰｼﾞ番号を指定します。"));
    hint(chkBoth, QStringLiteral("偶数ﾍﾟｰｼﾞの余白を右側に取る場合にﾁｪｯｸします。|偶数ﾍﾟｰｼﾞの余白を右側に取る場合にﾁｪｯｸします。\r\n両面への印刷は「印刷」ﾎﾞﾀﾝ押下後に表示する「印刷」画面で「ﾌﾟﾛﾊﾟﾃｨ」ﾎﾞﾀﾝを押して設定します。"));
    hint(btnPreview, QStringLiteral("帳票の印刷ｲﾒｰｼﾞを画面に表示します。|帳票の印刷ｲﾒｰｼﾞを画面に表示します。"));
    hint(btnCopy, QStringLiteral("帳票の情報をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰします。|帳票の情報をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰします。\r\nｺﾋﾟｰした情報はﾜｰﾌﾟﾛｿﾌﾄ、表計算ｿﾌﾄで貼り付けられます。"));
    hint(btnOK, QStringLiteral("帳票を印刷します。|帳票を印刷します。"));
    hint(btnCancel, QStringLiteral("印刷を取り止めます。|印刷を取り止めます。"));
}

void TPrintDlgBox::HozonFukugen(const QString& what) {
    if (!PrintRec)
        return;
    if (what.compare(u"Hozon", Qt::CaseInsensitive) == 0) {
        OptionList.clear();
        if (ColorSw && PrintRec->ColorPrint == 1)
            OptionList << QStringLiteral("C010=1");
        if (BothSw && PrintRec->BothSides)
            OptionList << QStringLiteral("C020=1");
        QString text;
        for (const QString& line : OptionList)
            text += line + QStringLiteral("\r\n");
        PrintRec->OptionText = text;
    } else if (what.compare(u"Fukugen", Qt::CaseInsensitive) == 0) {
        OptionList = PrintRec->OptionText.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")), Qt::SkipEmptyParts);
        auto value = [&](const QString& key) {
            for (const QString& line : OptionList)
                if (line.section(u'=', 0, 0) == key)
                    return line.section(u'=', 1);
            return QString();
        };
        if (ColorSw && value(QStringLiteral("C010")) == u"1") {
            PrintRec->ColorPrint = 1;
            btnColor->setChecked(true);
        }
        if (BothSw && value(QStringLiteral("C020")) == u"1") {
            PrintRec->BothSides = true;
            chkBoth->setChecked(true);
        }
    }
}

void TPrintDlgBox::computeStyleName() {
    StyleName = core::TrimBlanks(core::LeftStrB(upperAscii(StyleKeyPrefix + PrintRec->ReportName), 40));
}

void TPrintDlgBox::GetStyleColorRec() {
    if (!StyleColorSw || !PrintRec || PrintRec->ReportName.isEmpty())
        return;
    computeStyleName();
    onSystemDatabase(QStringLiteral("ユーザー別帳票色情報の取得に失敗しました。"), false, [&](core::TIBSQL& q) {
        q.sql() = QStringList{QStringLiteral("SELECT LINECOLOR1,LINECOLOR2,NETCOLOR1,NETCOLOR2,SSTR FROM STYLECOLOR"),
                              QStringLiteral("WHERE OPCODE=:OPCODE AND STYLENAME=:STYLENAME")};
        q.paramByName(QStringLiteral("OPCODE")).setInteger(core::SystemDef.OPCODE);
        q.paramByName(QStringLiteral("STYLENAME")).setString(StyleName);
        for (q.execQuery(); !q.eof(); q.next()) {
            auto take = [&](const char* column, qint32& target) {
                const qint32 v = q.fieldByName(QLatin1String(column)).asInteger();
                if (v != -1)
                    target = v;
            };
            take("LINECOLOR1", PrintRec->LineColor1);
            take("LINECOLOR2", PrintRec->LineColor2);
            take("NETCOLOR1", PrintRec->NetColor1);
            take("NETCOLOR2", PrintRec->NetColor2);
            PrintRec->OptionText = q.fieldByName(QStringLiteral("SSTR")).asString();
        }
        q.close();
    });
}

void TPrintDlgBox::PutStyleColorRec() {
    if (!StyleColorSw || !PrintRec || PrintRec->ReportName.isEmpty())
        return;
    computeStyleName();
    core::TStyleColors colours = core::kNoStyleColors;
    const core::TSystemDef& env = core::SystemDef;
    if (PrintRec->LineColor1 != env.PLineColor1)
        colours[0] = PrintRec->LineColor1;
    if (PrintRec->LineColor2 != env.PLineColor2)
        colours[1] = PrintRec->LineColor2;
    if (PrintRec->NetColor1 != env.NetColor1)
        colours[5] = PrintRec->NetColor1;
    if (PrintRec->NetColor2 != env.NetColor2)
        colours[6] = PrintRec->NetColor2;
    onSystemDatabase(QStringLiteral("ユーザー別帳票色情報の更新に失敗しました。"), true, [&](core::TIBSQL& q) {
        core::StoreStyleColor(q, env.OPCODE, StyleName, colours, PrintRec->OptionText);
    });
}

void TPrintDlgBox::btnOKClick(controls::TxPlButton* sender) {
    if (!PrintRec)
        return;
    PrintRec->ColorPrint = btnColor->isChecked() ? 1 : 0;
    bool ok = false;
    const int page = txtStartPage->text().trimmed().toInt(&ok);
    PrintRec->StartPage = ok && page != 0 ? page : 1;
    PrintRec->BothSides = chkBoth->isChecked();
    HozonFukugen(QStringLiteral("Hozon"));
    PrintAction = sender == btnOK ? 1 : sender == btnPreview ? 2 : 3;
    done(core::mrOk);
}

void TPrintDlgBox::btnColorSelectClick() {
    if (!PrintRec)
        return;
    TPrnColorSetBox box(this);
    box.PerReport = StyleColorSw ? 1 : 0;
    box.LineColor1 = PrintRec->LineColor1;
    box.LineColor2 = PrintRec->LineColor2;
    box.NetColor1 = PrintRec->NetColor1;
    box.NetColor2 = PrintRec->NetColor2;
    box.Prepare(1);
    if (box.exec() == core::mrOk) {
        PrintRec->LineColor1 = box.LineColor1;
        PrintRec->LineColor2 = box.LineColor2;
        PrintRec->NetColor1 = box.NetColor1;
        PrintRec->NetColor2 = box.NetColor2;
        PutStyleColorRec();
    }
}

void TPrintDlgBox::btnCancelClick() {
    done(core::mrCancel);
}

void TPrintDlgBox::done(int result) {
    PutStyleColorRec(); // on every close, OK and Cancel alike
    TBSDI::done(result);
}

} // namespace print
