#include "data/ParameterCheck.h"

namespace {

bool IsQuote(QChar c) {
    return c == u'\'' || c == u'"' || c == u'`';
}

bool EndsName(QChar c) {
    return c == u' ' || c == u',' || c == u';' || c == u')' || c == u'\r' || c == u'\n';
}

// The marker name as recorded: without the quotes around a quoted name.
QString RecordedName(QStringView name) {
    if (name.isEmpty() || !IsQuote(name.front())) {
        return name.toString();
    }
    const QChar quote = name.front();
    name = name.mid(1);
    if (name.endsWith(quote)) {
        name.chop(1);
    }
    return name.toString();
}

class Scanner {
public:
    explicit Scanner(QStringView text) : text_(text) {}

    ParameterCheckResult Run() {
        while (pos_ < text_.size()) {
            const QChar c = text_[pos_];
            if (quote_ != QChar()) {
                if (c == quote_) {
                    quote_ = QChar();
                }
                Copy();
            } else if (IsQuote(c)) {
                quote_ = c;
                Copy();
            } else if (c == u':') {
                Colon();
            } else {
                Copy();
            }
        }
        return std::move(result_);
    }

private:
    void Copy() { result_.text += text_[pos_++]; }

    void Colon() {
        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == u':') {
            result_.text += u':';
            pos_ += 2;
            return;
        }
        qsizetype end = pos_ + 1;
        while (end < text_.size() && !EndsName(text_[end])) {
            ++end;
        }
        if (end == pos_ + 1) {
            Copy(); // a colon without a name is no marker
            return;
        }
        result_.markers.append(RecordedName(text_.mid(pos_ + 1, end - pos_ - 1)));
        result_.text += u'?';
        pos_ = end;
    }

    QStringView text_;
    qsizetype pos_ = 0;
    QChar quote_;
    ParameterCheckResult result_;
};

} // namespace

ParameterCheckResult CheckParameters(QStringView text) {
    return Scanner(text).Run();
}
