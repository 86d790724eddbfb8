#include "controls/cursormodel.h"

namespace tw::controls {

CursorColumn FieldColumn(const QString& title, const std::string& field)
{
    return {title, [field](db::Table& record) {
                return QString::fromStdString(record.fieldByName(field).asString()).trimmed();
            }};
}

CursorModel::CursorModel(db::Table& view, std::vector<CursorColumn> columns, QObject* parent)
    : QAbstractTableModel(parent),
      view_(view),
      columns_(std::move(columns))
{}

namespace {

// Runs read on the view's record recNo and puts the view back where it was.
// Only a view in browse mode is moved: an edit under way is left alone.
template <typename Read>
bool ReadAt(db::Table& view, std::uint32_t recNo, Read&& read)
{
    if (!view.active() || view.state() != db::Table::State::Browse)
        return false;
    const std::uint32_t saved = view.recNo();
    const bool atEnd = view.eof();
    view.goTo(recNo);
    read();
    if (saved != 0 && !atEnd) {
        view.goTo(saved);
    } else {
        view.last();
        view.next();
    }
    return true;
}

}  // namespace

void CursorModel::Reload()
{
    std::vector<std::uint32_t> recNos;
    try {
        if (view_.active() && view_.state() == db::Table::State::Browse) {
            const std::uint32_t saved = view_.recNo();
            const bool atEnd = view_.eof();
            bool savedShown = false;
            for (view_.first(); !view_.eof(); view_.next()) {
                savedShown = savedShown || view_.recNo() == saved;
                recNos.push_back(view_.recNo());
            }
            if (saved != 0 && !atEnd && savedShown)
                view_.goTo(saved);
            else if (!recNos.empty())
                view_.first();
        }
    } catch (const db::DbError&) {
        // A table that cannot be read shows no rows; the operation that
        // touched it reports the failure.
        recNos.clear();
    }
    // The same rows keep the grid's current cell, selection and pressed row:
    // a reset between the two clicks of a double click would swallow it.
    if (recNos == recNos_) {
        if (!recNos_.empty())
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    recNos_ = std::move(recNos);
    rows_.clear();
    for (std::size_t row = 0; row < recNos_.size(); ++row)
        rows_.emplace(recNos_[row], static_cast<int>(row));
    endResetModel();
}

std::map<std::uint32_t, CursorModel::TypedRow> CursorModel::TakeTyped()
{
    std::map<std::uint32_t, TypedRow> typed;
    typed.swap(typed_);
    for (const auto& [recNo, cells] : typed) {
        const int row = RowOf(recNo);
        if (row >= 0)
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
    return typed;
}

int CursorModel::RowOf(std::uint32_t recNo) const
{
    const auto it = rows_.find(recNo);
    return it == rows_.end() ? -1 : it->second;
}

std::uint32_t CursorModel::RecNoOf(int row) const
{
    return row >= 0 && row < static_cast<int>(recNos_.size()) ? recNos_[row] : 0;
}

int CursorModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(recNos_.size());
}

int CursorModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant CursorModel::data(const QModelIndex& index, int role) const
{
    if ((role != Qt::DisplayRole && role != Qt::EditRole) || !index.isValid()
        || index.row() >= static_cast<int>(recNos_.size()))
        return {};
    if (const auto row = typed_.find(recNos_[index.row()]); row != typed_.end()) {
        if (const auto cell = row->second.find(index.column()); cell != row->second.end())
            return cell->second;
    }
    try {
        QString text;
        ReadAt(view_, recNos_[index.row()], [&] { text = columns_[index.column()].Text(view_); });
        return text;
    } catch (const db::DbError&) {
        return {};  // deleted since the last reload
    }
}

QVariant CursorModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal
        || section >= static_cast<int>(columns_.size()))
        return {};
    return columns_[section].Title;
}

Qt::ItemFlags CursorModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && editing_ && columns_[index.column()].Editable)
        f |= Qt::ItemIsEditable;
    return f;
}

bool CursorModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)
        || index.row() >= static_cast<int>(recNos_.size()))
        return false;
    const std::uint32_t recNo = recNos_[index.row()];
    const QString text = value.toString();
    // A cell left as it was is no edit.
    if (typed_.count(recNo) == 0 && text == data(index, Qt::DisplayRole).toString())
        return true;
    typed_[recNo][index.column()] = text;
    emit dataChanged(index, index);
    emit Typed(recNo);
    return true;
}

}  // namespace tw::controls
