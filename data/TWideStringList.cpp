#include "data/TWideStringList.h"

void TWideStringList::Clear() {
    if (lines_.isEmpty()) {
        return;
    }
    lines_.clear();
    Changed();
}

void TWideStringList::Add(const QString& line) {
    lines_.append(line);
    Changed();
}

QString TWideStringList::Text() const {
    QString text;
    for (const QString& line : lines_) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return text;
}

void TWideStringList::Changed() {
    if (OnChange) {
        OnChange();
    }
}
