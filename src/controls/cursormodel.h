#pragma once
// A grid's model over one of the data module's cursors: the rows are the
// records the cursor's filter and index let through. Cells are read through
// the view itself, which is put back on its record after each read: a second
// cursor of the model's own would keep the file open when the program sorts
// it. Reload after the view's filter or data changed.
//
//   CursorModel model(data.ChartsTable, {{"Description", Text("DESC")}, ...});
//   grid->setModel(&model);
//   model.Reload();
//   grid->selectRow(model.RowOf(data.ChartsTable.recNo()));

#include <QAbstractTableModel>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/db/table.h"

namespace tw::controls {

struct CursorColumn {
    QString Title;
    std::function<QString(db::Table& record)> Text;
};

// A column showing a field's text, without trailing blanks.
CursorColumn FieldColumn(const QString& title, const std::string& field);

class CursorModel : public QAbstractTableModel {
    Q_OBJECT
public:
    CursorModel(db::Table& view, std::vector<CursorColumn> columns, QObject* parent = nullptr);

    // Reads the view's records afresh (its filter and index as they stand).
    void Reload();
    // The row of a physical record, -1 when the view does not show it.
    int RowOf(std::uint32_t recNo) const;
    std::uint32_t RecNoOf(int row) const;
    db::Table& View() { return view_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    db::Table& view_;
    std::vector<CursorColumn> columns_;
    std::vector<std::uint32_t> recNos_;
    std::unordered_map<std::uint32_t, int> rows_;
};

}  // namespace tw::controls
