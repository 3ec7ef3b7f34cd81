#pragma once

#include "platform/db/RecordsetFilter.h"

#include <QString>

#include <vector>

// Parses a recordset filter text into its tree (the grammar is RecordsetFilter's). Throws
// EOleException "Invalid filter: ..." naming what is wrong.
RecordsetFilter::Node ParseFilter(const QString& text, const std::vector<QString>& fieldNames);
