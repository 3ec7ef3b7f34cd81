#pragma once

#include <QComboBox>
#include <QStringList>

#include "platform/text/RussianCollator.h"
#include "platform/text/TextLines.h"
#include "platform/ui/TextListModel.h"

// An editable drop-down field over a list of remembered texts.
//
// The list stays in alphabetical order whatever order items are added in, and keeps
// duplicates. An upper-case field converts every typed, set or added text to upper case.
// Typing completes from the list: each printable character forms a candidate (the text before
// the selection, or the whole text, followed by the character); the first item beginning with
// it, ignoring letter case, becomes the current item and fills in its remaining characters,
// selected. Backspace removes the selection or the character before the caret and clears the
// current item.
class TComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit TComboBox(QWidget* parent = nullptr);

    bool UpperCase() const { return upperCase_; }
    // Converts the present text and items too.
    void SetUpperCase(bool upperCase);

    QString Text() const;
    // Sets the text as the program does: no change is reported.
    void SetText(const QString& text);

    QStringList ListItems() const;
    // Inserts the item at its place in alphabetical order; the text stays as it is.
    void AddListItem(const QString& item);
    // Replaces the list in one step, however long (a year's history); the text stays as it is.
    void SetListItems(TextLines items);
    void SetListItems(const QStringList& items) { SetListItems(TextLines::of(items)); }
    // Empties the list; the text stays as it is.
    void ClearListItems();

signals:
    // The user changed the text or picked an item (OnChange). While typing completes from the
    // list, only a change of the current item is reported. Setting the text never reports.
    void Changed();
    // A key went down in the field (OnKeyDown), before the field handles it.
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct EditState {
        QString text;
        int cursor;
        int selectionStart;
        int selectionLength;
    };

    bool HandleTypedKey(const QKeyEvent& event);
    bool Complete(const QString& character);
    void EraseBackward();
    void PickHighlightedAndClose();

    int FirstItemStartingWith(const QString& prefix) const;
    int SortedPosition(const QString& item) const;
    QString Converted(const QString& text) const;

    EditState CurrentEditState() const;
    void Restore(const EditState& state);

    // Puts the lines in alphabetical order, equal ones in the order they came.
    void SortLines(TextLines& lines) const;

    // Russian alphabetical order, ignoring letter case.
    RussianCollator collator_;
    // The list's model: plain texts in one block, set whole at once.
    TextListModel* items_;
    bool upperCase_ = false;
};
