#include "platform/db/RecordsetFilter.h"

#include "platform/db/FilterParser.h"
#include "platform/db/PlainNumberText.h"
#include "platform/db/ResultRows.h"
#include "platform/text/RussianCollator.h"
#include "platform/text/Utf8CaseFold.h"

namespace {

using Op = RecordsetFilter::Condition::Op;

bool Compare(Op op, int order) {
    switch (op) {
    case Op::Equal:
        return order == 0;
    case Op::NotEqual:
        return order != 0;
    case Op::Less:
        return order < 0;
    case Op::Greater:
        return order > 0;
    case Op::LessOrEqual:
        return order <= 0;
    case Op::GreaterOrEqual:
        return order >= 0;
    default:
        return false;
    }
}

} // namespace

RecordsetFilter::RecordsetFilter(const QString& text, const std::vector<QString>& fieldNames)
    : root_(ParseFilter(text, fieldNames)), collator_(std::make_unique<RussianCollator>()) {
}

RecordsetFilter::~RecordsetFilter() = default;
RecordsetFilter::RecordsetFilter(RecordsetFilter&&) noexcept = default;
RecordsetFilter& RecordsetFilter::operator=(RecordsetFilter&&) noexcept = default;

bool RecordsetFilter::matches(const ResultRows& rows, std::size_t row) const {
    return evaluate(root_, rows, row);
}

bool RecordsetFilter::evaluate(const Node& node, const ResultRows& rows, std::size_t row) const {
    switch (node.kind) {
    case Node::Kind::And:
        for (const Node& child : node.children) {
            if (!evaluate(child, rows, row)) {
                return false;
            }
        }
        return true;
    case Node::Kind::Or:
        for (const Node& child : node.children) {
            if (evaluate(child, rows, row)) {
                return true;
            }
        }
        return false;
    case Node::Kind::Leaf:
        break;
    }
    return test(node.condition, rows, row);
}

// The test of a condition that needs only the value's folded text (NULL tests and patterns),
// on an unread row of an accelerated result: the row is not read from the table.
std::optional<bool> RecordsetFilter::testKnownText(const Condition& condition,
                                                   const ResultRows& rows, std::size_t row) const {
    const bool nullTest = condition.op == Op::IsNull || condition.op == Op::IsNotNull;
    if (!nullTest && !condition.pattern) {
        return std::nullopt;
    }
    const std::optional<FoldedText> text = rows.foldedText(row, condition.column);
    if (!text) {
        return std::nullopt;
    }
    if (nullTest) {
        return text->isNull == (condition.op == Op::IsNull);
    }
    if (text->isNull) {
        return false;
    }
    const bool matched = condition.pattern->matchesFolded(text->folded);
    return condition.op == Op::NotEqual ? !matched : matched;
}

bool RecordsetFilter::test(const Condition& condition, const ResultRows& rows,
                           std::size_t row) const {
    if (const std::optional<bool> known = testKnownText(condition, rows, row)) {
        return *known;
    }
    const StoredValue value = rows.value(row, condition.column);
    if (condition.op == Op::IsNull || condition.op == Op::IsNotNull) {
        return value.isNull() == (condition.op == Op::IsNull);
    }
    if (value.isNull()) {
        return false;
    }
    std::optional<PlainNumberText> number;
    if (value.type == StoredType::Integer) {
        number.emplace(value.integer);
    } else if (value.type == StoredType::Real) {
        number.emplace(value.real);
    }
    const std::string_view text = number ? number->view() : value.bytes;
    if (condition.pattern) {
        const bool matched = condition.pattern->matches(text);
        return condition.op == Op::NotEqual ? !matched : matched;
    }
    if (value.isNumber() && condition.number) {
        const double stored =
            value.type == StoredType::Integer ? static_cast<double>(value.integer) : value.real;
        return Compare(condition.op, stored < *condition.number   ? -1
                                     : stored > *condition.number ? 1
                                                                  : 0);
    }
    if (condition.op == Op::Equal || condition.op == Op::NotEqual) {
        folded_.clear();
        AppendCaseFolded(text, folded_);
        return (folded_ == condition.folded) == (condition.op == Op::Equal);
    }
    return Compare(condition.op, collator_->compare(text, condition.text));
}
