#include "app/desktop/table_dialog_frame.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace brondel::desktop {

QTableWidget* makeRowTable(const QStringList& columns) {
    auto* table = new QTableWidget(0, static_cast<int>(columns.size()));
    table->setHorizontalHeaderLabels(columns);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

QLabel* frameTableDialog(QDialog& dialog, std::initializer_list<QPushButton*> actions,
                         QTableWidget* table, int height) {
    auto* row = new QHBoxLayout;
    for (QPushButton* action : actions) {
        row->addWidget(action);
    }
    row->addStretch();

    auto* problem = new QLabel;
    problem->setStyleSheet(QStringLiteral("color: #b00020"));
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(close, &QDialogButtonBox::rejected, &dialog, &QDialog::accept);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(row);
    layout->addWidget(table);
    layout->addWidget(problem);
    layout->addWidget(close);
    dialog.resize(640, height);
    return problem;
}

}  // namespace brondel::desktop
