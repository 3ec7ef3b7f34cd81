#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// One token of an SQL text, as far as the provider's statement rewrites need to tell them
// apart: words (names, keywords, numbers), quoted parts (string literals and quoted names)
// and single symbols. Comments and blanks are skipped.
struct SqlToken {
    enum class Kind { Word, Quoted, Symbol } kind;
    qsizetype begin;
    qsizetype end;
    int depth; // the parenthesis depth the token stands at; parentheses stand inside
};

// The tokens of an SQL text, in order. An unclosed quote or comment runs to the end.
std::vector<SqlToken> TokenizeSql(const QString& sql);
