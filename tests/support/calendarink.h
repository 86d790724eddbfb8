#pragma once
// The dark pixels of one day's cell of a month calendar as it is drawn: a
// bold day leaves more of them than the same day drawn plain.

#include <QCalendarWidget>
#include <QImage>
#include <QTableView>

namespace tw::testing {

// -1 when the shown month has no such day.
inline int InkOfDay(QCalendarWidget& calendar, int day)
{
    auto* view = calendar.findChild<QTableView*>();
    const QImage image = calendar.grab().toImage();
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        for (int column = 0; column < view->model()->columnCount(); ++column) {
            const QModelIndex index = view->model()->index(row, column);
            // Row 0 holds the day names; a late day number in the first rows
            // is the month before's, an early one in the last rows the month after's.
            if (view->model()->data(index).toInt() != day || row == 0 || (day > 20 && row < 3)
                || (day < 15 && row > 3))
                continue;
            const QPoint origin = view->viewport()->mapTo(&calendar, QPoint());
            const QRect cell = view->visualRect(index).translated(origin);
            int ink = 0;
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                for (int x = cell.left(); x <= cell.right(); ++x)
                    ink += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
            return ink;
        }
    }
    return -1;
}

}  // namespace tw::testing
