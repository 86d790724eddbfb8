#include "controls/cursormodel.h"

#include <filesystem>

namespace tw::controls {

CursorColumn FieldColumn(const QString& title, const std::string& field)
{
    return {title, [field](db::Table& record) {
                return QString::fromStdString(record.fieldByName(field).asString()).trimmed();
            }};
}

CursorModel::CursorModel(db::Table& view, std::vector<CursorColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), view_(view), columns_(std::move(columns))
{
}

CursorModel::~CursorModel()
{
    reader_.close();
}

bool CursorModel::OpenReader()
{
    if (!view_.active()) {
        reader_.close();
        return false;
    }
    const std::filesystem::path path(view_.path());
    if (!reader_.active() || reader_.path() != view_.path()) {
        reader_.close();
        reader_.setFolder(path.parent_path().string());
        reader_.setTableName(path.filename().string());
        reader_.setReadOnly(true);
        reader_.open();
    }
    if (reader_.indexName() != view_.indexName())
        reader_.setIndexName(view_.indexName());
    if (reader_.filter() != view_.filter())
        reader_.setFilter(view_.filter());
    reader_.setFiltered(view_.filtered());
    reader_.refresh();
    return true;
}

void CursorModel::Reload()
{
    beginResetModel();
    recNos_.clear();
    rows_.clear();
    try {
        if (OpenReader()) {
            for (reader_.first(); !reader_.eof(); reader_.next()) {
                rows_.emplace(reader_.recNo(), static_cast<int>(recNos_.size()));
                recNos_.push_back(reader_.recNo());
            }
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
        reader_.goTo(recNos_[index.row()]);
        return columns_[index.column()].Text(reader_);
    } catch (const db::DbError&) {
        return {};  // deleted since the last reload
    }
}

QVariant CursorModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section >= static_cast<int>(columns_.size()))
        return {};
    return columns_[section].Title;
}

}  // namespace tw::controls
