#include "platform/ui/TextListModel.h"

int TextListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant TextListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= lines_.size() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return lines_.at(index.row()).toString();
}

bool TextListModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count <= 0 || row + count > lines_.size())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    std::vector<TextLines::Span>& spans = lines_.spans();
    spans.erase(spans.begin() + row, spans.begin() + row + count);
    if (spans.empty())
        lines_ = TextLines(); // the texts of removed rows are not kept
    endRemoveRows();
    return true;
}

void TextListModel::SetLines(TextLines lines) {
    beginResetModel();
    lines_ = std::move(lines);
    endResetModel();
}

void TextListModel::InsertText(qsizetype row, const QString& text) {
    beginInsertRows({}, static_cast<int>(row), static_cast<int>(row));
    QString& block = lines_.block();
    std::vector<TextLines::Span>& spans = lines_.spans();
    spans.insert(spans.begin() + row, TextLines::Span{block.size(), text.size()});
    block += text;
    endInsertRows();
}

bool TextListModel::insertRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count <= 0 || row > lines_.size())
        return false;
    beginInsertRows(parent, row, row + count - 1);
    std::vector<TextLines::Span>& spans = lines_.spans();
    spans.insert(spans.begin() + row, static_cast<std::size_t>(count), TextLines::Span{});
    endInsertRows();
    return true;
}

bool TextListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= lines_.size() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return false;
    const QString text = value.toString();
    QString& block = lines_.block();
    lines_.spans()[static_cast<std::size_t>(index.row())] = {block.size(), text.size()};
    block += text;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags TextListModel::flags(const QModelIndex& index) const {
    return QAbstractListModel::flags(index) |
           (index.isValid() ? Qt::ItemIsEditable : Qt::NoItemFlags);
}
