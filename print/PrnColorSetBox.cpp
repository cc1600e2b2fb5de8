// The report-colour dialog.
#include "print/PrnColorSetBox.h"

#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/ui/MessageService.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace print {

namespace {

const QString kPalette = QStringLiteral("Pallet_CustomColor");

QColor qColour(qint32 c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Colours as the product line stores them, custom colours included: $BBGGRR.
qint32 bgr(const QColor& c) {
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

} // namespace

TPrnColorSetBox::TPrnColorSetBox(QWidget* owner) : TBSDI(owner) {
    setWindowTitle(QStringLiteral("帳票色の選択"));
    auto* grid = new QGridLayout(this);
    const QString captions[] = {QStringLiteral("枠線:"), QStringLiteral("縦横線:"), QStringLiteral("見出し行:"),
                                QStringLiteral("合計行:")};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(new QLabel(captions[i], this), i, 0);
        Panels[size_t(i)] = new QLabel(this);
        Panels[size_t(i)]->setAutoFillBackground(true);
        Panels[size_t(i)]->setMinimumWidth(80);
        grid->addWidget(Panels[size_t(i)], i, 1);
        Buttons[size_t(i)] = new QPushButton(QStringLiteral("変更"), this);
        connect(Buttons[size_t(i)], &QPushButton::clicked, this, [this, i] { btnLineColor1Click(i); });
        grid->addWidget(Buttons[size_t(i)], i, 2);
    }
    lblKankyoColor = new QLabel(QStringLiteral("<a href=\"#\">環境設定の色に戻す</a>"), this);
    lblKankyoColor->setCursor(Qt::PointingHandCursor);
    connect(lblKankyoColor, &QLabel::linkActivated, this, [this] { lblKankyoColorClick(); });
    grid->addWidget(lblKankyoColor, 4, 0, 1, 3);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(core::mrCancel); });
    grid->addWidget(btnOK, 5, 1);
    grid->addWidget(btnCancel, 5, 2);
    KeepOnClose = true;
    LineColor1 = core::SystemDef.PLineColor1;
    LineColor2 = core::SystemDef.PLineColor2;
    NetColor1 = core::SystemDef.NetColor1;
    NetColor2 = core::SystemDef.NetColor2;
    InitOK = true;
}

void TPrnColorSetBox::Prepare(int mode) {
    PrepareMode = mode;
    panelColours_ = {LineColor1, LineColor2, NetColor1, NetColor2};
    showColours();
    lblKankyoColor->setVisible(PerReport == 1);
    CustomColorsText = core::DM ? core::DM->GetStyleColorSstr(core::SystemDef.OPCODE, kPalette) : QString();
    const QStringList colours = CustomColours();
    for (int i = 0; i < colours.size() && i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, qColour(colours.at(i).section(u'=', 1).trimmed().toInt(nullptr, 16)));
    FirstLayout = false;
}

QStringList TPrnColorSetBox::CustomColours() const {
    QStringList lines = CustomColorsText.split(u'\r', Qt::SkipEmptyParts);
    if (lines.isEmpty())
        for (char letter = 'A'; letter <= 'P'; ++letter)
            lines << QStringLiteral("Color%1=FFFFFF").arg(QChar(letter));
    return lines;
}

void TPrnColorSetBox::showColours() {
    for (int i = 0; i < 4; ++i) {
        QPalette pal = Panels[size_t(i)]->palette();
        pal.setColor(QPalette::Window, qColour(panelColours_[size_t(i)]));
        Panels[size_t(i)]->setPalette(pal);
    }
}

void TPrnColorSetBox::btnLineColor1Click(int row) {
    std::optional<qint32> chosen;
    if (ChooseColour) {
        chosen = ChooseColour(panelColours_[size_t(row)]);
    } else {
        const QColor c = QColorDialog::getColor(qColour(panelColours_[size_t(row)]), this);
        if (c.isValid())
            chosen = bgr(c);
    }
    if (chosen) {
        panelColours_[size_t(row)] = *chosen;
        showColours();
    }
}

void TPrnColorSetBox::lblKankyoColorClick() {
    if (core::showMessage(core::MessageKind::Confirmation,
                          QStringLiteral("帳票の色を環境設定の色に戻します。\r\nよろしいですか？"), core::mbYesNo) != core::mrYes)
        return;
    lblKankyoColor->setStyleSheet(QStringLiteral("color: #800080"));
    LineColor1 = core::SystemDef.PLineColor1;
    LineColor2 = core::SystemDef.PLineColor2;
    NetColor1 = core::SystemDef.NetColor1;
    NetColor2 = core::SystemDef.NetColor2;
    panelColours_ = {LineColor1, LineColor2, NetColor1, NetColor2};
    showColours();
}

void TPrnColorSetBox::btnOKClick() {
    LineColor1 = panelColours_[0];
    LineColor2 = panelColours_[1];
    NetColor1 = panelColours_[2];
    NetColor2 = panelColours_[3];
    if (PerReport == 0) {
        core::SystemDef.PLineColor1 = LineColor1;
        core::SystemDef.PLineColor2 = LineColor2;
        core::SystemDef.NetColor1 = NetColor1;
        core::SystemDef.NetColor2 = NetColor2;
        if (core::DM)
            core::DM->fnPutSysDef();
    }
    done(core::mrOk);
}

void TPrnColorSetBox::done(int result) {
    QString text;
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        text += QStringLiteral("Color%1=%2\r")
                    .arg(QChar('A' + i))
                    .arg(QStringLiteral("%1").arg(bgr(QColorDialog::customColor(i)), 6, 16, QChar(u'0')).toUpper());
    CustomColorsText = text;
    if (core::DM)
        core::DM->PutStyleColorSstr(core::SystemDef.OPCODE, kPalette, text); // on every close
    TBSDI::done(result);
}

} // namespace print
