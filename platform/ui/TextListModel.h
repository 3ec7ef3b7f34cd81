#pragma once

#include "platform/text/TextLines.h"

#include <QAbstractListModel>

// A list model of plain texts held as TextLines: a list of a million lines (a year's search
// history) costs its characters and a few bytes a row, and is set in one step. Rows read as
// their text in the display and edit roles. A text replaced or removed keeps its characters in
// the block until the list is emptied or set anew.
class TextListModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;
    // As any list model, so that QComboBox's own insertItem and setItemText work too.
    bool insertRows(int row, int count, const QModelIndex& parent = {}) override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    qsizetype Size() const noexcept { return lines_.size(); }
    QStringView Text(qsizetype row) const noexcept { return lines_.at(row); }
    QStringList Texts() const { return lines_.toStringList(); }

    // Replaces every row at once.
    void SetLines(TextLines lines);
    // Inserts a row before `row` (size() appends).
    void InsertText(qsizetype row, const QString& text);

private:
    TextLines lines_;
};
