#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The texts of the five search inputs.
struct SearchTexts {
    QString phone;
    QString name;
    QString street;
    QString house;
    QString apartment;
};

// One query of the Search command: its condition line and, for the street-and-name rule,
// the filter that narrows the rows by name.
struct SearchQuery {
    QString condition;
    QString filter;
    bool filtered = false;

    friend bool operator==(const SearchQuery&, const SearchQuery&) = default;
};

// The queries of the rules that apply to the texts, in the order they run; the last one is
// the result shown. A text counts as filled when it has any character, spaces included.
// Apostrophes in the texts are doubled, so a text stays inside its quoted literal.
std::vector<SearchQuery> SearchQueries(const SearchTexts& texts);

// The four SQL lines of a query with the given condition line.
QStringList SearchSqlLines(const QString& condition);
