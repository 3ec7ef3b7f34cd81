#pragma once

#include "grid/EnumSet.h"

#include <QString>

// What the find dialog asks the grid's text search for.

enum TGridSearchOption {
    gsoIgnoreCase,  // compare ignoring letter case
    gsoAllColumns,  // look through every fully visible column, not one
    gsoDisplayText, // compare the cell text as the grid shows it, not the field's plain text
};
using TGridSearchOptions = EnumSet<TGridSearchOption>;

enum TGridSearchDirection {
    gsdUp,   // from the record before the current one towards the first
    gsdDown, // from the record after the current one towards the last
    gsdAll,  // from the first record towards the last
};

enum TGridSearchMatching {
    gsmAnyPart,       // the pattern occurs somewhere in the cell text
    gsmWholeField,    // the cell text is the pattern
    gsmFromBeginning, // the cell text begins with the pattern
};

struct TGridSearchRequest {
    // The FieldName of the column chosen in the dialog; empty for all columns.
    QString fieldName;
    // The data index of the column chosen in the dialog, -1 for all columns or none: a
    // single-column search looks through this column, or the grid's current one without it.
    int columnIndex = -1;
    QString pattern;
    TGridSearchOptions options;
    TGridSearchDirection direction = gsdAll;
    TGridSearchMatching matching = gsmAnyPart;
    // Which branches of a tree-navigating data set to search (0 to 3); the query has no tree.
    int treeRange = 0;
};
