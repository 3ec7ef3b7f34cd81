#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// An ordered list of 16-bit text lines (the query's SQL) that reports every change.
class TWideStringList {
public:
    // Empties the list; reports a change only when it held lines.
    void Clear();
    // Appends one line and reports the change.
    void Add(const QString& line);

    int Count() const { return static_cast<int>(lines_.size()); }
    const QString& operator[](int index) const { return lines_.at(index); }

    // Every line followed by CR LF, the last one included.
    QString Text() const;

    // Runs after every change of the lines.
    std::function<void()> OnChange;

private:
    void Changed();

    QStringList lines_;
};
