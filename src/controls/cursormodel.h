#pragma once
// A grid's model over one of the data module's cursors: the rows are the
// records the cursor's filter and index let through. Cells are read through
// the view itself, which is put back on its record after each read: a second
// cursor of the model's own would keep the file open when the program sorts
// it. Reload after the view's filter or data changed; a reload that finds
// the same rows only repaints them, so a click and its double click reach
// the grid whole.
//
// Columns marked Editable take typed text; the model keeps it, by record,
// until the page takes it (TakeTyped) to check and post it.
//
//   CursorModel model(data.ChartsTable, {{"Description", Text("DESC")}, ...});
//   grid->setModel(&model);
//   model.Reload();
//   grid->selectRow(model.RowOf(data.ChartsTable.recNo()));

#include <QAbstractTableModel>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/db/table.h"

namespace tw::controls {

struct CursorColumn {
    QString Title;
    std::function<QString(db::Table& record)> Text;
    bool Editable = false;
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

    // Typed cells are refused while editing is off (a read-only copy).
    void SetEditing(bool on) { editing_ = on; }
    // The texts typed into a record's row, by column; cleared when taken.
    using TypedRow = std::map<int, QString>;
    bool HasTyped() const { return !typed_.empty(); }
    std::map<std::uint32_t, TypedRow> TakeTyped();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    // A cell was typed into; the page posts the row when it is left.
    void Typed(std::uint32_t recNo);

private:
    db::Table& view_;
    std::vector<CursorColumn> columns_;
    std::vector<std::uint32_t> recNos_;
    std::unordered_map<std::uint32_t, int> rows_;
    std::map<std::uint32_t, TypedRow> typed_;
    bool editing_ = true;
};

}  // namespace tw::controls
