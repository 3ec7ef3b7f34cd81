#include "platform/ui/TComboBox.h"

#include "platform/text/SideBySide.h"
#include "platform/text/SortKeys.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QValidator>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Upper case character by character, so that the text keeps its length and caret positions.
QString UpperCased(QString text) {
    for (QChar& character : text)
        character = character.toUpper();
    return text;
}

// Turns whatever the user types or pastes into upper case.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override {
        input = UpperCased(input);
        return Acceptable;
    }
};

// The sort keys of the lines [begin, end).
SortKeys KeysOf(const TextLines& lines, qsizetype begin, qsizetype end,
                const RussianCollator& collator) {
    SortKeys keys;
    for (qsizetype line = begin; line < end; ++line) {
        collator.appendSortKey(lines.at(line), keys.bytes());
        keys.endKey();
    }
    return keys;
}

// The sort keys of every line. ICU makes a key in about half a microsecond, so a long list's
// second half is keyed on another thread, with a collator of its own.
SortKeys KeysOf(const TextLines& lines, const RussianCollator& collator) {
    if (static_cast<std::size_t>(lines.size()) < kItemsWorthAThread)
        return KeysOf(lines, 0, lines.size(), collator);
    const qsizetype half = lines.size() / 2;
    SortKeys keys;
    SortKeys secondHalf;
    RunSideBySide([&] { keys = KeysOf(lines, 0, half, collator); },
                  [&, own = collator] { secondHalf = KeysOf(lines, half, lines.size(), own); });
    keys.append(secondHalf);
    return keys;
}

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent), items_(new TextListModel(this)) {
    setModel(items_);
    // A list of a million items is neither measured for the field's width nor laid out item by
    // item when it drops down: every item is one line of text.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (auto* list = qobject_cast<QListView*>(view()))
        list->setUniformItemSizes(true);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(true);
    setCompleter(nullptr);
    setMaxVisibleItems(8);
    // Qt's own handling of Return and of leaving the field would pick the item whose text
    // matches the typed one and report it as a pick; here the current item changes only by
    // picking from the list or by completing, and Return leaves the text as it is.
    disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, &TComboBox::Changed);
    connect(this, &QComboBox::activated, this, &TComboBox::Changed);
    view()->installEventFilter(this);
}

void TComboBox::SetUpperCase(bool upperCase) {
    upperCase_ = upperCase;
    lineEdit()->setValidator(upperCase ? new UpperCaseValidator(lineEdit()) : nullptr);
    if (upperCase) {
        SetListItems(ListItems());
        SetText(Text());
    }
}

QString TComboBox::Text() const {
    return lineEdit()->text();
}

void TComboBox::SetText(const QString& text) {
    lineEdit()->setText(Converted(text));
}

QStringList TComboBox::ListItems() const {
    return items_->Texts();
}

void TComboBox::AddListItem(const QString& item) {
    const EditState kept = CurrentEditState();
    const bool noCurrentItem = currentIndex() < 0;
    const QString text = Converted(item);
    items_->InsertText(SortedPosition(text), text);
    // Adding to an empty list would make the new item current and show it.
    if (noCurrentItem)
        setCurrentIndex(-1);
    Restore(kept);
}

void TComboBox::SetListItems(TextLines items) {
    const EditState kept = CurrentEditState();
    if (upperCase_)
        items.block() = UpperCased(std::move(items.block()));
    SortLines(items);
    items_->SetLines(std::move(items));
    setCurrentIndex(-1);
    Restore(kept);
}

void TComboBox::SortLines(TextLines& lines) const {
    const SortKeys keys = KeysOf(lines, collator_);
    const std::vector<TextLines::Span> spans = lines.spans();
    const std::vector<std::size_t> order = keys.order();
    for (std::size_t line = 0; line < order.size(); ++line)
        lines.spans()[line] = spans[order[line]];
}

void TComboBox::ClearListItems() {
    const EditState kept = CurrentEditState();
    clear();
    Restore(kept);
}

void TComboBox::keyPressEvent(QKeyEvent* event) {
    emit KeyDown(event->key(), event->modifiers());
    if (HandleTypedKey(*event)) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

// While the list is open it has the keyboard. Enter there takes the highlighted item as the
// current one (the platform does so as the highlight moves) and then reports the key, so Enter
// in the open list acts on the picked text. The list would otherwise take Enter as a shortcut
// override and pick the item itself; claiming the override brings the key here instead.
bool TComboBox::eventFilter(QObject* watched, QEvent* event) {
    const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (watched == view() && key) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (IsEnter(keyEvent->key())) {
            keyEvent->accept();
            if (event->type() == QEvent::KeyPress) {
                PickHighlightedAndClose();
                emit KeyDown(keyEvent->key(), keyEvent->modifiers());
            }
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

void TComboBox::PickHighlightedAndClose() {
    const QModelIndex highlighted = view()->currentIndex();
    hidePopup();
    if (!highlighted.isValid())
        return;
    setCurrentIndex(highlighted.row());
    lineEdit()->setText(itemText(highlighted.row()));
    emit Changed();
}

// The completion's share of a typed key; true when it consumed the key.
bool TComboBox::HandleTypedKey(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    if (event.key() == Qt::Key_Backspace) {
        EraseBackward();
        return true;
    }
    const QString typed = event.text();
    // Tab, Esc, Enter and the other control characters are the field's own business.
    if (typed.isEmpty() || !typed.front().isPrint())
        return false;
    return Complete(typed);
}

bool TComboBox::Complete(const QString& character) {
    QLineEdit* edit = lineEdit();
    const QString typedSoFar =
        edit->hasSelectedText() ? edit->text().left(edit->selectionStart()) : edit->text();
    const QString candidate = typedSoFar + Converted(character);
    const int item = FirstItemStartingWith(candidate);
    if (item < 0)
        return false;
    const int previous = currentIndex();
    setCurrentIndex(item);
    const QString completed = candidate + itemText(item).mid(candidate.size());
    edit->setText(completed);
    edit->setSelection(candidate.size(), completed.size() - candidate.size());
    if (item != previous)
        emit Changed();
    return true;
}

void TComboBox::EraseBackward() {
    QLineEdit* edit = lineEdit();
    QString text = edit->text();
    int caret = 0;
    if (edit->hasSelectedText()) {
        caret = edit->selectionStart();
        text.remove(caret, edit->selectionLength());
    } else if (!text.isEmpty()) {
        caret = std::max(edit->cursorPosition() - 1, 0);
        if (edit->cursorPosition() > 0)
            text.remove(caret, 1);
    } else {
        return;
    }
    setCurrentIndex(-1);
    edit->setText(text);
    edit->setCursorPosition(caret);
    emit Changed();
}

int TComboBox::FirstItemStartingWith(const QString& prefix) const {
    for (qsizetype i = 0; i < items_->Size(); ++i) {
        if (items_->Text(i).startsWith(prefix, Qt::CaseInsensitive))
            return static_cast<int>(i);
    }
    return -1;
}

// After every item that sorts before or with the new one, so equal items keep their order.
int TComboBox::SortedPosition(const QString& item) const {
    int low = 0;
    int high = count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (collator_.compare(item, items_->Text(middle)) < 0)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

QString TComboBox::Converted(const QString& text) const {
    return upperCase_ ? UpperCased(text) : text;
}

TComboBox::EditState TComboBox::CurrentEditState() const {
    const QLineEdit* edit = lineEdit();
    return {edit->text(), edit->cursorPosition(), edit->selectionStart(), edit->selectionLength()};
}

void TComboBox::Restore(const EditState& state) {
    QLineEdit* edit = lineEdit();
    if (edit->text() != state.text)
        edit->setText(state.text);
    if (state.selectionLength <= 0)
        edit->setCursorPosition(state.cursor);
    else if (state.cursor == state.selectionStart)
        edit->setSelection(state.selectionStart + state.selectionLength, -state.selectionLength);
    else
        edit->setSelection(state.selectionStart, state.selectionLength);
}
