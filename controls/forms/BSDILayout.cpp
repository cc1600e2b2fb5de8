// Layout capture and font scaling at a form's first show: the form is designed at 96 pixels
// per inch with the standard font and scaled by the operator's font relative to it.
#include "controls/buttons/TxPlButton.h"
#include "controls/dialogs/DialogFont.h"
#include "controls/forms/FontScale.h"
#include "controls/forms/TBSDI.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/os/DpiScale.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTableView>
#include <QTreeView>

namespace controls {

namespace {

// Window updates off while the form is rearranged, on again also after a failure.
class UpdatesLocked {
public:
    explicit UpdatesLocked(QWidget* form) : form_(form), was_(form->updatesEnabled()) { form_->setUpdatesEnabled(false); }
    ~UpdatesLocked() { form_->setUpdatesEnabled(was_); }
    UpdatesLocked(const UpdatesLocked&) = delete;
    UpdatesLocked& operator=(const UpdatesLocked&) = delete;

private:
    QWidget* form_;
    bool was_;
};

bool isMedicalData() {
    return core::DM ? core::DM->IsMedicalGeneralData() : core::AccInf.MedicalData != 0;
}

QList<qint16> headerWidths(const QHeaderView* header) {
    QList<qint16> widths;
    for (int i = 0; i < header->count() && i <= 2000; ++i)
        widths << qint16(header->sectionSize(i));
    return widths;
}

} // namespace

const TGridLayout* TBSDI::gridLayoutOf(const QWidget* control) const {
    for (const TControlLayout& layout : layouts_)
        if (layout.Control == control)
            return layout.Grid.get();
    return nullptr;
}

void TBSDI::freeLayouts() {
    layouts_.clear();
    capturedCount_ = -1;
}

void TBSDI::rewriteMedicalLabels() {
    for (QLabel* label : findChildren<QLabel*>()) {
        QString text = label->text();
        text.replace(QStringLiteral("本・支店"), QStringLiteral("施設"));
        text.replace(QStringLiteral("支店"), QStringLiteral("施設"));
        label->setText(text);
    }
}

void TBSDI::captureLayout() {
    const QList<QWidget*> controls = findChildren<QWidget*>();
    if (layouts_.empty() || capturedCount_ != controls.size()) {
        freeLayouts();
        layouts_.resize(size_t(controls.size()));
        for (qsizetype i = 0; i < controls.size(); ++i)
            layouts_[size_t(i)].Control = controls[i];
        capturedCount_ = int(controls.size());
    }

    if (FormSizeSw && borderStyle_ != bsDialog) {
        if (MinWidth == 0)
            MinWidth = int(width() * 0.6);
        if (MinHeight == 0)
            MinHeight = int(height() * 0.6);
    } else {
        MinWidth = MinHeight = 0;
    }
    MaxWidth = MaxHeight = 0;
    if (MinWidth > 0 || MinHeight > 0)
        setMinimumSize(MinWidth, MinHeight);
    if (PixelsPerInch <= 96) {
        if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
            MaxWidth = screen->geometry().width();
            MaxHeight = screen->geometry().height();
            setMaximumSize(MaxWidth, MaxHeight);
        }
    }
    DesignFontHeight = qAbs(font().pixelSize() > 0 ? font().pixelSize() : QFontInfo(font()).pixelSize());

    for (QWidget* control : controls)
        control->installEventFilter(this); // tool tips follow the operator's hint setting

    if (isMedicalData())
        rewriteMedicalLabels();

    const int screenPpi = core::MainFormPixelsPerInch();
    for (TControlLayout& layout : layouts_) {
        QWidget* control = layout.Control;
        if (control == nullptr)
            continue;
        if (auto* grid = qobject_cast<TxGrid*>(control)) {
            layout.Grid = std::make_unique<TGridLayout>();
            const int base = FontScaleBase(core::SystemDef.ScreenFont.Size, screenPpi);
            if (base != screenPpi && screenPpi > 0)
                grid->resize(int(qint64(grid->width()) * base / screenPpi), int(qint64(grid->height()) * base / screenPpi));
        } else if (auto* table = qobject_cast<QTableView*>(control)) {
            layout.Grid = std::make_unique<TGridLayout>();
            layout.Grid->RowHeight = table->verticalHeader()->defaultSectionSize();
            layout.Grid->ColWidths = headerWidths(table->horizontalHeader());
        } else if (auto* list = qobject_cast<QTreeView*>(control)) {
            layout.Grid = std::make_unique<TGridLayout>();
            layout.Grid->ColWidths = headerWidths(list->header());
        }
    }
}

void TBSDI::scaleFonts() {
    UpdatesLocked locked(this);
    const int screenPpi = core::MainFormPixelsPerInch();
    const TFontScale scale = ComputeFontScale(core::SystemDef.BaseFont.Size, core::SystemDef.ScreenFont.Size, screenPpi);
    PixelsPerInch = scale.PixelsPerInch;
    FontRatio = FontRatio2 = scale.Ratio;

    if (scale.PixelsPerInch != scale.Base) {
        const auto by = [&](int value) { return int(qint64(value) * scale.PixelsPerInch / scale.Base); };
        for (const TControlLayout& layout : layouts_) {
            QWidget* control = layout.Control;
            if (control == nullptr)
                continue;
            control->setGeometry(by(control->x()), by(control->y()), by(control->width()), by(control->height()));
            if (control->testAttribute(Qt::WA_SetFont)) {
                QFont font = control->font();
                if (font.pixelSize() > 0)
                    font.setPixelSize(qMax(1, by(font.pixelSize())));
                control->setFont(font);
            }
        }
        resize(by(width()), by(height()));
    }

    const auto s = [&](int value) { return ScaleDesignPixels(value, scale.PixelsPerInch); };
    for (const TControlLayout& layout : layouts_) {
        QWidget* control = layout.Control;
        if (control == nullptr)
            continue;
        if (auto* grid = qobject_cast<TxGrid*>(control)) {
            if (core::SystemDef.BaseFont.Size > 0)
                grid->setFont(FontOfRec(core::SystemDef.BaseFont, screenPpi));
            grid->SetDefHeight(s(grid->DefHeight()));
            grid->SetDefWidth(s(grid->DefWidth()));
            for (int col = -grid->FixedLefts(); col < grid->Cols(); ++col)
                grid->SetColWidth(col, s(grid->ColWidth(col)));
        } else if (auto* table = qobject_cast<QTableView*>(control)) {
            if (layout.Grid) {
                table->verticalHeader()->setDefaultSectionSize(s(int(layout.Grid->RowHeight)));
                for (int col = 0; col < table->horizontalHeader()->count() && col < layout.Grid->ColWidths.size(); ++col)
                    table->setColumnWidth(col, s(layout.Grid->ColWidths[col]));
            }
        } else if (auto* list = qobject_cast<QTreeView*>(control)) {
            if (layout.Grid)
                for (int col = 0; col < list->header()->count() && col < layout.Grid->ColWidths.size(); ++col)
                    list->setColumnWidth(col, s(layout.Grid->ColWidths[col]));
        } else if (auto* button = qobject_cast<TxPlButton*>(control)) {
            if (button->Image().Picture().isNull()) {
                button->SetCaptionVertCenter(true);
                button->Image().SetVertCenter(true);
            }
        }
    }
    if (core::SystemDef.BaseFont.Size > 0)
        setFont(FontOfRec(core::SystemDef.BaseFont, screenPpi));
}

} // namespace controls
