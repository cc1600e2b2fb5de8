#include "controls/dialogs/TMessageBox2.h"

#include "controls/buttons/TxCheckBox.h"
#include "controls/dialogs/DialogFont.h"
#include "controls/dialogs/MessageCatalogue.h"
#include "controls/dialogs/WindowKeyPreview.h"
#include "controls/grid/ColorRef.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QUrl>

namespace controls {

namespace {

constexpr int kDesignWidth = 500;
constexpr int kDesignHeight = 335;
constexpr int kAgreeHeight = 32;
constexpr int kBottomHeight = 38;
constexpr int kLabelLeft = 80;
constexpr int kLabelStep = 24;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 10;
const QColor kLinkColor(0, 0, 255);
const QColor kVisitedColor(128, 0, 128);

void setTextColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

QIcon kindIcon(const QStyle* style, quint8 kind) {
    switch (kind) {
    case 0: return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case 1: return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case 2: return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case 3: return style->standardIcon(QStyle::SP_MessageBoxQuestion);
    default: return {};
    }
}

} // namespace

TMessageBox2::TMessageBox2(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      pnlClient(new QWidget(this)),
      Image1(new QLabel(pnlClient)),
      pnlAgree(new QWidget(this)),
      btnAgree(new TxCheckBox(QStringLiteral("同意する"), pnlAgree)),
      pnlBottom(new QWidget(this)),
      keyPreview_(new WindowKeyPreview(this, [this](QKeyEvent* event) { return previewKey(event); })) {
    setWindowTitle(QStringLiteral("警告"));
    setFont(DialogFont(12));
    for (size_t i = 0; i < Labels.size(); ++i) {
        Labels[i] = new QLabel(pnlClient);
        Labels[i]->setTextFormat(Qt::PlainText);
        Labels[i]->installEventFilter(this);
    }
    btnAgree->SetKeyStyles(TKeyStyles{ksEnter});
    connect(btnAgree, &QCheckBox::toggled, this, [this] { agreeChanged(); });
    for (size_t i = 0; i < Buttons.size(); ++i) {
        Buttons[i] = new QPushButton(pnlBottom);
        // The three buttons share one handler: each ends the box with its own result.
        connect(Buttons[i], &QPushButton::clicked, this, [this, i] { done(buttonResults_[i]); });
    }
    InitMessage2Info(0, info_);
    info_.Caption = QStringLiteral("警告");
    resize(S(kDesignWidth), S(kDesignHeight));
}

int TMessageBox2::S(int designPixels) const {
    return designPixels * logicalDpiX() / 96;
}

void TMessageBox2::SetMessageInfo(const TMessage2InfoRec& info) {
    info_ = info;
    layoutBox();
}

void TMessageBox2::SetMessageNo(qint32 msgNo) {
    if (msgNo != 0)
        ApplyMessageCatalogue(msgNo, info_);
}

void TMessageBox2::layoutBox() {
    SetMessageNo(info_.MsgNo);
    setWindowTitle(info_.Caption);
    const QIcon icon = kindIcon(style(), info_.Kind);
    Image1->setGeometry(S(24), S(16), S(41), S(41));
    Image1->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(S(41), S(41)));

    int width = S(kDesignWidth);
    int lineCount = 0;
    const QFontMetrics metrics(font());
    for (size_t i = 0; i < Labels.size(); ++i) {
        QLabel* label = Labels[i];
        const TMessage2LineRec& line = info_.Lines[i];
        QFont labelFont = font();
        label->setText(line.Text);
        if (line.Link.isEmpty()) {
            label->unsetCursor();
            setTextColor(label, fromColorRef(line.Color));
        } else {
            label->setCursor(Qt::PointingHandCursor);
            setTextColor(label, kLinkColor);
            labelFont.setUnderline(true);
        }
        label->setFont(labelFont);
        const int textWidth = QFontMetrics(labelFont).horizontalAdvance(line.Text);
        label->setGeometry(S(kLabelLeft), S(kLabelStep * int(i + 1)), textWidth, metrics.height());
        width = qMax(width, label->x() + textWidth);
        if (!line.Text.isEmpty())
            ++lineCount;
    }

    // The message area ends two label places after the last line; one line looks like none,
    // and nine or ten lines take the whole design panel.
    if (lineCount < 2)
        messageHeight_ = S(kLabelStep * 3);
    else if (lineCount <= 8)
        messageHeight_ = S(kLabelStep * (lineCount + 2));
    else
        messageHeight_ = S(kDesignHeight - kAgreeHeight - kBottomHeight);
    pnlAgree->hide();
    placePanels(S(30) + width, messageHeight_);
    layoutButtons();
}

void TMessageBox2::layoutButtons() {
    const QList<core::MessageButton> kinds = ShownButtons(info_.Buttons);
    const QFontMetrics metrics(font());
    for (size_t i = 0; i < Buttons.size(); ++i) {
        QPushButton* button = Buttons[i];
        button->hide();
        button->setEnabled(true);
        if (int(i) >= kinds.size())
            continue;
        buttonResults_[i] = core::ModalResultOf(kinds[int(i)]);
        int buttonWidth = S(kButtonWidth);
        const QString& caption = info_.ButtonCaptions[i];
        if (caption.isEmpty()) {
            button->setText(DefaultButtonCaption(kinds[int(i)]));
        } else {
            button->setText(caption);
            buttonWidth = qMax(buttonWidth, int(metrics.horizontalAdvance(caption) * 1.3));
        }
        button->resize(buttonWidth, S(kButtonHeight));
        button->show();
    }

    const int formWidth = width();
    const int half = formWidth / 2;
    const int top = S(3);
    switch (kinds.size()) {
    case 1: Buttons[0]->move((formWidth - Buttons[0]->width()) / 2, top); break;
    case 2:
        Buttons[0]->move(half - S(kButtonGap) - Buttons[0]->width(), top);
        Buttons[1]->move(half + S(kButtonGap), top);
        break;
    case 3: {
        const int middle = (formWidth - Buttons[1]->width()) / 2;
        Buttons[1]->move(middle, top);
        Buttons[0]->move(middle - S(kButtonGap) - Buttons[0]->width(), top);
        Buttons[2]->move(middle + Buttons[1]->width() + S(kButtonGap), top);
        break;
    }
    default: break;
    }
}

void TMessageBox2::placePanels(int clientWidth, int messageHeight) {
    const int agreeHeight = pnlAgree->isVisibleTo(this) ? S(kAgreeHeight) : 0;
    const int bottomHeight = S(kBottomHeight);
    setFixedSize(clientWidth, messageHeight + agreeHeight + bottomHeight);
    pnlClient->setGeometry(0, 0, clientWidth, messageHeight);
    pnlAgree->setGeometry(0, messageHeight, clientWidth, agreeHeight);
    pnlBottom->setGeometry(0, messageHeight + agreeHeight, clientWidth, bottomHeight);
    btnAgree->setGeometry(S(82), S(3), S(375), S(17));
}

void TMessageBox2::Prepare() {
    layoutBox();
    pnlAgree->hide();
    if (info_.AgreeCaption.trimmed().isEmpty())
        info_.AgreeMode = 0;
    if (info_.AgreeMode != 0) {
        pnlAgree->show();
        btnAgree->setText(info_.AgreeCaption);
        btnAgree->setChecked(info_.AgreeChecked);
        agreeChanged();
    }
    placePanels(width(), messageHeight_);
    setResult(core::mrNone);
    // Centred on the screen of the owner (or the primary screen).
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TMessageBox2::agreeChanged() {
    if (info_.AgreeMode == 1)
        Buttons[0]->setEnabled(btnAgree->isChecked());
}

void TMessageBox2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (info_.AgreeMode == 1) {
        btnAgree->setFocus();
        return;
    }
    if (info_.DefaultButton >= 0 && info_.DefaultButton < int(Buttons.size())) {
        QPushButton* button = Buttons[size_t(info_.DefaultButton)];
        if (button->isVisibleTo(this) && button->isEnabled()) {
            button->setDefault(true);
            button->setFocus();
        }
    }
}

void TMessageBox2::reject() {
    done(core::mrCancel);
}

QString TMessageBox2::CopyText() const {
    const QString rule(27, QLatin1Char('-'));
    const QString crlf = QStringLiteral("\r\n");
    QString text = rule + crlf + info_.Caption + crlf + rule + crlf;
    for (const TMessage2LineRec& line : info_.Lines)
        text += line.Text + crlf;
    return text;
}

bool TMessageBox2::previewKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        // Esc acts when it is released, so that the release of a key that opened the box
        // cannot close it; the press is taken so that the dialog's own Esc does nothing.
        if (event->type() == QEvent::KeyRelease && !event->isAutoRepeat())
            done(core::mrCancel);
        return true;
    }
    if (event->type() == QEvent::KeyPress && event->key() == Qt::Key_C
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        QGuiApplication::clipboard()->setText(CopyText());
        return true;
    }
    return false;
}

bool TMessageBox2::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (size_t i = 0; i < Labels.size(); ++i)
            if (watched == Labels[i] && !info_.Lines[i].Link.isEmpty()) {
                openLink(int(i));
                return true;
            }
    }
    return QDialog::eventFilter(watched, event);
}

void TMessageBox2::openLink(int line) {
    QDesktopServices::openUrl(QUrl::fromUserInput(info_.Lines[size_t(line)].Link));
    setTextColor(Labels[size_t(line)], kVisitedColor);
}

int ShowMessageBox2(TMessage2InfoRec& info) {
    TMessageBox2 box(DialogOwner());
    box.SetMessageInfo(info);
    box.Prepare();
    const int result = box.exec();
    info.AgreeChecked = box.btnAgree->isChecked();
    return result;
}

} // namespace controls
