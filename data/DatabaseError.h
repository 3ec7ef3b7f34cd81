#pragma once

#include <QString>

// The texts of the data set's own checks. Placeholders are filled with QString::arg.
namespace DatabaseMessages {

inline const QString kDataSetOpen =
    QStringLiteral("Cannot perform this operation on an open dataset");
inline const QString kDataSetClosed =
    QStringLiteral("Cannot perform this operation on a closed dataset");
inline const QString kDataSetEmpty =
    QStringLiteral("Cannot perform this operation on an empty dataset");
inline const QString kDataSetReadOnly = QStringLiteral("Cannot modify a read-only dataset");
inline const QString kNotEditing = QStringLiteral("Dataset not in edit or insert mode");
// %1: the property name.
inline const QString kMissingProperty = QStringLiteral("Missing %1 property");
inline const QString kNoResultSet = QStringLiteral("CommandText does not return a result set");
// %1: the field name.
inline const QString kFieldNotFound = QStringLiteral("Field '%1' not found");
// %1: the field name; %2: the kind the field expects; %3: the kind of the column.
inline const QString kFieldTypeMismatch =
    QStringLiteral("Type mismatch for field '%1', expecting: %2 actual: %3");
// %1: the field name.
inline const QString kFieldReadOnly = QStringLiteral("Field '%1' cannot be modified");
inline const QString kMissingConnection = QStringLiteral("Missing Connection or ConnectionString");
inline const QString kBookmarksRequired = QStringLiteral(
    "Dataset does not support bookmarks, which are required for multi-record data controls");
// %1: the text; %2: the field name.
inline const QString kInvalidFloatValue =
    QStringLiteral("'%1' is not a valid floating point value for field '%2'");
// %1: the text; %2: the field name.
inline const QString kInvalidIntegerValue =
    QStringLiteral("'%1' is not a valid integer value for field '%2'");
// Raised as EOleSysError when the provider cannot create its objects.
inline const QString kErrorCreatingObject =
    QStringLiteral("Error creating object.  Please verify that the Microsoft Data Access "
                   "Components 2.1 (or later) have been properly installed");

} // namespace DatabaseMessages

// Raises EDatabaseError with the message, preceded by "<componentName>: " when a component
// is named as the source.
[[noreturn]] void DatabaseError(const QString& message, const QString& componentName = {});
