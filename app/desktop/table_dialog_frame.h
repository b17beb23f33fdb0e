#pragma once

#include <initializer_list>

#include <QStringList>

class QDialog;
class QLabel;
class QPushButton;
class QTableWidget;

namespace brondel::desktop {

// A table of one selectable row at a time, headed by `columns`.
QTableWidget* makeRowTable(const QStringList& columns);

// Lays out a table dialog: its action buttons above the table, the line
// that says why a change was refused (returned), and Close.
QLabel* frameTableDialog(QDialog& dialog, std::initializer_list<QPushButton*> actions,
                         QTableWidget* table, int height);

}  // namespace brondel::desktop
