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
    beginResetModel();
    recNos_.clear();
    rows_.clear();
    try {
        if (view_.active() && view_.state() == db::Table::State::Browse) {
            const std::uint32_t saved = view_.recNo();
            const bool atEnd = view_.eof();
            for (view_.first(); !view_.eof(); view_.next()) {
                rows_.emplace(view_.recNo(), static_cast<int>(recNos_.size()));
                recNos_.push_back(view_.recNo());
            }
            if (saved != 0 && !atEnd && rows_.count(saved) != 0)
                view_.goTo(saved);
            else if (!recNos_.empty())
                view_.first();
        }
    } catch (const db::DbError&) {
        // A table that cannot be read shows no rows; the operation that
        // touched it reports the failure.
        recNos_.clear();
        rows_.clear();
    }
    endResetModel();
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
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= static_cast<int>(recNos_.size()))
        return {};
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

}  // namespace tw::controls
