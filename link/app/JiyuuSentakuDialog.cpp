#include "link/app/JiyuuSentakuDialog.h"

#include "core/ui/MessageService.h"
#include "link/export/EquitySettings.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace taxlink {

TJiyuuSentakuDialog::TJiyuuSentakuDialog(QWidget* owner, const QString& lineName, const QString& mode)
    : controls::TBSDI(owner, bsDialog) {
    setObjectName(QStringLiteral("JiyuuSentakuDialog"));
    KeepOnClose = true; // the opener owns the dialog and reads the choice after it closed
    resize(367, 340);

    const bool kamoku = mode == QStringLiteral("Kamoku");
    KindWord = kamoku ? QStringLiteral("勘定科目") : QStringLiteral("変動事由");
    setWindowTitle(kamoku ? QStringLiteral("使用できる勘定科目") : QStringLiteral("使用できる変動事由"));

    Label1 = new QLabel(this);
    Label1->setText((kamoku ? QStringLiteral("[%1]欄に割り当てる勘定科目を選択してください。")
                            : QStringLiteral("[%1]欄に割り当てる変動事由を選択してください。"))
                        .arg(lineName));
    Label1->setWordWrap(true);

    ListView1 = new QTreeWidget(this);
    ListView1->setColumnCount(1);
    ListView1->setHeaderLabels({KindWord});
    ListView1->setColumnWidth(0, 300);
    ListView1->setRootIsDecorated(false);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    const QStringList& names = kamoku ? taxreturn::EquityItemNames() : taxreturn::ChangeReasonNames();
    for (int i = 0; i < names.size(); ++i) {
        ListView1->addTopLevelItem(new QTreeWidgetItem(QStringList{names[i]}));
        NameList << names[i] + QLatin1Char('=') + QString::number(i);
    }

    btnOK = new QPushButton(QStringLiteral("確定"), this);
    btnCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ListView1, 1);
    layout->addLayout(buttons);

    connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(core::mrCancel); });
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { ListView1DblClick(); });

    InitOK = true;
}

void TJiyuuSentakuDialog::SelectByName(const QString& name) {
    if (name.isEmpty())
        return;
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ListView1->topLevelItem(i);
        if (item->text(0) == name) {
            ListView1->setCurrentItem(item);
            item->setSelected(true);
            ListView1->scrollToItem(item, QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

int TJiyuuSentakuDialog::IndexOfChosen(const QString& name) const {
    const QString prefix = name + QLatin1Char('=');
    for (const QString& entry : NameList) {
        if (entry.startsWith(prefix)) {
            bool ok = false;
            const int index = entry.mid(prefix.size()).toInt(&ok);
            return ok ? index : -1;
        }
    }
    return -1;
}

void TJiyuuSentakuDialog::btnOKClick() {
    const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
    if (!selected.isEmpty()) {
        ChosenName = selected.first()->text(0);
        ChosenIndex = IndexOfChosen(ChosenName);
        done(core::mrOk);
        return;
    }
    const QString question = KindWord + QStringLiteral("が選択されていません。") + QLatin1Char('\r') +
                             QStringLiteral("画面を閉じてもよろしいですか？") + QLatin1Char('\r');
    if (core::showMessage(core::MessageKind::Information, question, core::mbYesNo) == core::mrYes)
        done(core::mrCancel);
}

} // namespace taxlink
