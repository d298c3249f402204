#pragma once

#include <vector>

#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QStringList>
#include <QWidget>

// Reading a window, as the host's scripts and the tests do.

namespace devhost {

// The information window's rows as a user reads them, found through its
// layouts: the grid is the one item of the window's layout; captions stand in
// column 0, value labels in column 1.
struct WindowRows {
    QGridLayout* grid = nullptr;
    QStringList captions;
    std::vector<QLabel*> values;

    static WindowRows of(QWidget* window) {
        WindowRows rows;
        QLayout* top = window->layout();
        if (top == nullptr || top->count() != 1) {
            return rows;
        }
        rows.grid = qobject_cast<QGridLayout*>(top->itemAt(0)->layout());
        if (rows.grid == nullptr) {
            return rows;
        }
        for (int row = 0; row < rows.grid->rowCount(); ++row) {
            auto* caption = labelAt(rows.grid, row, 0);
            auto* value = labelAt(rows.grid, row, 1);
            if (caption != nullptr && value != nullptr) {
                rows.captions << caption->text();
                rows.values.push_back(value);
            }
        }
        return rows;
    }

    QStringList valueTexts() const {
        QStringList texts;
        for (QLabel* value : values) {
            texts << value->text();
        }
        return texts;
    }

private:
    static QLabel* labelAt(QGridLayout* grid, int row, int column) {
        QLayoutItem* item = grid->itemAtPosition(row, column);
        return item != nullptr ? qobject_cast<QLabel*>(item->widget()) : nullptr;
    }
};

}  // namespace devhost
