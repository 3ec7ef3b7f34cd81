#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// Lines of text held one after another in one block, each a span of it: a million lines cost
// their characters and sixteen bytes each, not an object each.
class TextLines {
public:
    struct Span {
        qsizetype begin = 0;
        qsizetype length = 0;
    };

    TextLines() = default;
    // The lines of a text. CR LF, a lone LF and a lone CR each end a line, an empty line is an
    // empty item, and a break at the very end adds no line.
    static TextLines split(QString text);
    static TextLines of(const QStringList& lines);

    qsizetype size() const noexcept { return static_cast<qsizetype>(spans_.size()); }
    QStringView at(qsizetype line) const noexcept {
        const Span& span = spans_[static_cast<std::size_t>(line)];
        return QStringView(block_).sliced(span.begin, span.length);
    }
    QStringList toStringList() const;

    // The block may be changed in place as long as each line keeps its length (a change of
    // letter case); the spans may be reordered.
    QString& block() noexcept { return block_; }
    const QString& block() const noexcept { return block_; }
    std::vector<Span>& spans() noexcept { return spans_; }
    const std::vector<Span>& spans() const noexcept { return spans_; }

private:
    QString block_;
    std::vector<Span> spans_;
};
