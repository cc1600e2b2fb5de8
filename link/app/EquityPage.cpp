#include "link/app/EquityPage.h"

#include "controls/dialogs/SlotGuard.h"
#include "controls/grid/TxGrid.h"
#include "core/ui/MessageService.h"
#include "link/export/ComDataExport.h"
#include "link/export/EquitySettings.h"
#include "link/export/HojinZeiDataExport.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QHeaderView>
#include <QVBoxLayout>

#include <memory>

namespace taxlink {

using taxreturn::THojinZeiWariateItem;

namespace {

inline constexpr int kMedicalCorporation = 3;

QString WithoutBlanks(const QString& text) {
    return taxreturn::TComDataExport::RemoveBlanks(text);
}

bool IsUnassigned(const THojinZeiWariateItem& item) {
    return item.WariateIndex < 0 || WithoutBlanks(item.WariateName).isEmpty();
}

// The item a line of the company takes when nothing is stored for it: the item of the same
// name, else the company's own item.
int DefaultEquityItem(const QString& name) {
    const int index = taxreturn::IndexOfName(taxreturn::EquityItemNames(), name);
    return index >= 0 ? index : taxreturn::kEquityItemCount - 1;
}

// The same for a change reason; every wording of the year's result counts as 当期純利益.
int DefaultChangeReason(const QString& name) {
    static const QStringList netIncomeNames = {QStringLiteral("当期純利益"), QStringLiteral("当期純損失"),
                                               QStringLiteral("当期純利益金額"), QStringLiteral("当期純損失金額")};
    const QString matched = netIncomeNames.contains(name) ? QStringLiteral("当期純利益") : name;
    const int index = taxreturn::IndexOfName(taxreturn::ChangeReasonNames(), matched);
    return index >= 0 ? index : taxreturn::kChangeReasonCount - 1;
}

controls::TxGrid* NewGrid(QWidget* parent) {
    auto* grid = new controls::TxGrid(parent);
    grid->SetCols(2);
    grid->SetColWidth(0, 260);
    grid->SetColWidth(1, 260);
    // The two columns share the width the page gives the grid.
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return grid;
}

} // namespace

TEquityPage::TEquityPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("page9"));
    ShowPickList = [](TJiyuuSentakuDialog& dialog) { return controls::ShowFormModal(dialog); };

    SakuseiCheck9 = new QCheckBox(QStringLiteral("株主資本等変動計算書を作成する"), this);
    MotochoCheck9 = new QCheckBox(QStringLiteral("総勘定元帳を作成する"), this);

    pnlAssignments = new QWidget(this);
    Label9a = new QLabel(QStringLiteral("株主資本等変動計算書の勘定科目と変動事由を割り当ててください。"), pnlAssignments);
    Memo9 = new QPlainTextEdit(pnlAssignments);
    Memo9->setReadOnly(true);
    Memo9->setMaximumHeight(48);
    Memo9->setPlainText(QStringLiteral("行をダブルクリックすると、割り当てる項目を一覧から選択できます。\n"
                                       "Deleteキーを押すと、その行の割り当てを解除します。"));
    Label9b = new QLabel(QStringLiteral("[勘定科目]"), pnlAssignments);
    KamokuList9a = NewGrid(pnlAssignments);
    Label9c = new QLabel(QStringLiteral("[変動事由]"), pnlAssignments);
    KamokuList9b = NewGrid(pnlAssignments);
    auto* assignments = new QVBoxLayout(pnlAssignments);
    assignments->setContentsMargins(0, 0, 0, 0);
    assignments->addWidget(Label9a);
    assignments->addWidget(Memo9);
    assignments->addWidget(Label9b);
    assignments->addWidget(KamokuList9a, 3);
    assignments->addWidget(Label9c);
    assignments->addWidget(KamokuList9b, 2);

    pnlHojinIryou = new QFrame(this);
    pnlHojinIryou->setFrameShape(QFrame::StyledPanel);
    auto* notice = new QVBoxLayout(pnlHojinIryou);
    for (const QString& line :
         {QStringLiteral("※ 注意 ※"), QStringLiteral("損益計算書の 「剰余金増加額」 または 「剰余金減少額」の 科目残高が発生して"),
          QStringLiteral("いる場合は該当科目の連動は行われません。"),
          QStringLiteral("データ連動後に、「法人税のヂル」より残高を入力する必要があります。")})
        notice->addWidget(new QLabel(line, pnlHojinIryou));
    notice->addStretch();
    pnlHojinIryou->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SakuseiCheck9);
    layout->addWidget(pnlAssignments, 1);
    layout->addWidget(pnlHojinIryou, 1);
    layout->addWidget(MotochoCheck9);

    connect(SakuseiCheck9, &QCheckBox::clicked, this, [this] { controls::RunGuarded([this] { SakuseiCheck9Click(); }); });
    for (controls::TxGrid* grid : {KamokuList9a, KamokuList9b}) {
        connect(grid, &controls::TxGrid::dblClick, this, [this, grid](int, int row) {
            if (row >= 0)
                controls::RunGuarded([this, grid] { JiyuuList8DblClick(grid); });
        });
        grid->installEventFilter(this);
    }
    FillGrid(KamokuList9a, true);
    FillGrid(KamokuList9b, false);
}

bool TEquityPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease && (watched == KamokuList9a || watched == KamokuList9b)) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* grid = static_cast<controls::TxGrid*>(watched);
        controls::RunGuarded([&] { JiyuuList8KeyUp(grid, key->key(), key->modifiers()); });
    }
    return QWidget::eventFilter(watched, event);
}

void TEquityPage::SetExporter(taxreturn::THojinZeiDataExport* exporter) {
    exporter_ = exporter;
}

void TEquityPage::SetProgramName(const QString& name) {
    programName_ = name;
    FillGrid(KamokuList9a, true);
    FillGrid(KamokuList9b, false);
}

// Made on first use, so that the settings file lies in the work folder of the session, which
// exists only after the start-up step.
taxreturn::THojinZeiKabunusiSihonHendouKeisansyo* TEquityPage::Settings() const {
    if (!exporter_)
        return nullptr;
    exporter_->CreateChangesSettings();
    return exporter_->ChangesSettings.get();
}

void TEquityPage::ClearLines() {
    if (exporter_ && exporter_->ChangesSettings) {
        exporter_->ChangesSettings->KamokuItems.clear();
        exporter_->ChangesSettings->JiyuuItems.clear();
    }
    FillGrid(KamokuList9a, true);
    FillGrid(KamokuList9b, false);
}

bool TEquityPage::FillEquitySettingsPage(int dataType) {
    if (dataType == kMedicalCorporation) {
        SakuseiCheck9->setEnabled(false);
        SakuseiCheck9->setChecked(false);
        SakuseiCheck9Click();
        pnlAssignments->hide();
        pnlHojinIryou->show();
        ClearLines();
        return true;
    }
    SakuseiCheck9->setEnabled(true);
    pnlHojinIryou->hide();
    pnlAssignments->show();
    taxreturn::THojinZeiKabunusiSihonHendouKeisansyo* settings = Settings();
    if (!settings)
        return false;
    if (EnsureDataOpen && !EnsureDataOpen())
        return false;
    if (!settings->LoadAccounts() || !settings->LoadReasons()) {
        ClearLines();
        return false;
    }
    settings->LoadSettings();
    SakuseiCheck9->setChecked(settings->SakuseiKubun == 1);
    SakuseiCheck9Click();
    MotochoCheck9->setChecked(settings->MotochoKubun == 1);
    exporter_->GeneralLedgerFlag = settings->MotochoKubun;

    for (THojinZeiWariateItem& item : settings->KamokuItems) {
        if (WithoutBlanks(item.WariateName).isEmpty()) {
            item.WariateIndex = DefaultEquityItem(item.Name);
            item.WariateName = taxreturn::EquityItemNames().at(item.WariateIndex);
        }
    }
    for (THojinZeiWariateItem& item : settings->JiyuuItems) {
        if (WithoutBlanks(item.WariateName).isEmpty()) {
            item.WariateIndex = DefaultChangeReason(item.Name);
            item.WariateName = taxreturn::ChangeReasonNames().at(item.WariateIndex);
        }
    }
    FillGrid(KamokuList9a, true);
    FillGrid(KamokuList9b, false);
    return true;
}

void TEquityPage::FillGrid(controls::TxGrid* grid, bool accounts) {
    grid->SetCells(0, -1, programName_ + (accounts ? QStringLiteral("の印刷名称") : QStringLiteral("の変動事由")));
    grid->SetCells(1, -1, accounts ? QStringLiteral("法人税のヂルで使用する勘定科目")
                                   : QStringLiteral("法人税のヂルで使用する変動事由"));
    const taxreturn::THojinZeiKabunusiSihonHendouKeisansyo* settings =
        exporter_ ? exporter_->ChangesSettings.get() : nullptr;
    const QVector<THojinZeiWariateItem> none;
    const QVector<THojinZeiWariateItem>& items =
        settings ? (accounts ? settings->KamokuItems : settings->JiyuuItems) : none;
    grid->SetRowCount(int(items.size()));
    for (int row = 0; row < items.size(); ++row) {
        grid->SetCells(0, row, items[row].Name);
        grid->SetCells(1, row, items[row].WariateName);
    }
}

void TEquityPage::SakuseiCheck9Click() {
    const bool on = SakuseiCheck9->isChecked();
    for (QWidget* control : {static_cast<QWidget*>(Label9a), static_cast<QWidget*>(Label9b),
                             static_cast<QWidget*>(Label9c), static_cast<QWidget*>(Memo9),
                             static_cast<QWidget*>(KamokuList9a), static_cast<QWidget*>(KamokuList9b)})
        control->setEnabled(on);
    const QColor text = on ? QColor(Qt::black) : QApplication::palette().color(QPalette::Disabled, QPalette::Text);
    for (controls::TxGrid* grid : {KamokuList9a, KamokuList9b}) {
        controls::TxGridColors colors = grid->Colors();
        colors.ForeColor = text;
        grid->SetColors(colors);
    }
}

void TEquityPage::JiyuuList8DblClick(controls::TxGrid* grid) {
    taxreturn::THojinZeiKabunusiSihonHendouKeisansyo* settings = exporter_ ? exporter_->ChangesSettings.get() : nullptr;
    if (!settings || (grid != KamokuList9a && grid != KamokuList9b))
        return;
    const bool accounts = grid == KamokuList9a;
    QVector<THojinZeiWariateItem>& items = accounts ? settings->KamokuItems : settings->JiyuuItems;
    const int row = grid->Row();
    if (row < 0 || row >= items.size())
        return;
    const QString lineName = grid->Cells(0, row);
    if (lineName.trimmed().isEmpty() &&
        core::showMessage(core::MessageKind::Confirmation,
                          QStringLiteral("決算書の印刷名称は空白ですが使用できる勘定科目を設定しますか？"),
                          core::mbYesNo) != core::mrYes)
        return;

    auto dialog = std::make_unique<TJiyuuSentakuDialog>(this, lineName,
                                                        accounts ? QStringLiteral("Kamoku") : QStringLiteral("Jiyuu"));
    dialog->SelectByName(items[row].WariateName);
    if (ShowPickList(*dialog) != core::mrOk)
        return;
    items[row].WariateName = dialog->ChosenName;
    items[row].WariateIndex = dialog->ChosenIndex;
    grid->SetCells(1, row, dialog->ChosenName);
}

void TEquityPage::JiyuuList8KeyUp(controls::TxGrid* grid, int key, Qt::KeyboardModifiers modifiers) {
    if (key != Qt::Key_Delete || (modifiers & ~Qt::KeypadModifier) != Qt::NoModifier)
        return;
    taxreturn::THojinZeiKabunusiSihonHendouKeisansyo* settings = exporter_ ? exporter_->ChangesSettings.get() : nullptr;
    if (!settings || (grid != KamokuList9a && grid != KamokuList9b))
        return;
    QVector<THojinZeiWariateItem>& items = grid == KamokuList9a ? settings->KamokuItems : settings->JiyuuItems;
    const int row = grid->Row();
    if (row < 0 || row >= items.size())
        return;
    items[row].WariateName.clear();
    items[row].WariateIndex = -1;
    grid->SetCells(1, row, QString());
}

bool TEquityPage::CheckPage() {
    taxreturn::THojinZeiKabunusiSihonHendouKeisansyo* settings = Settings();
    if (!settings)
        return false;
    settings->SakuseiKubun = 0;
    if (SakuseiCheck9->isChecked()) {
        settings->SakuseiKubun = 1;
        const struct {
            const QVector<THojinZeiWariateItem>& items;
            controls::TxGrid* grid;
            QString list;
        } lists[] = {{settings->KamokuItems, KamokuList9a, QStringLiteral("[勘定科目]リストで")},
                     {settings->JiyuuItems, KamokuList9b, QStringLiteral("[変動事由]リストで")}};
        for (const auto& list : lists) {
            for (int row = 0; row < list.items.size(); ++row) {
                if (!IsUnassigned(list.items[row]))
                    continue;
                const QString text = list.list + QLatin1Char('"') + WithoutBlanks(list.items[row].Name) +
                                     QLatin1Char('"') + QStringLiteral("の割り当てが行われていません。") +
                                     QStringLiteral("\r\r") +
                                     QStringLiteral("全ての項目を割り当ててから[次へ]をｸﾘｯｸしてください。") +
                                     QLatin1Char('\r');
                core::showMessage(core::MessageKind::Warning, text, core::mbOK);
                list.grid->SetCurrentCell(1, row);
                return false;
            }
        }
    }
    settings->MotochoKubun = MotochoCheck9->isChecked() ? 1 : 0;
    exporter_->GeneralLedgerFlag = settings->MotochoKubun;
    return true;
}

} // namespace taxlink
