#pragma once

// A column of the results grid as this program shows the directory: the field it shows, its
// title, its width in pixels, the mask a number is shown through, whether a text too long
// for the cell ends in "...", and whether a value equal to the one above it is left out.
struct DirectoryColumn {
    const char* fieldName;
    const char* caption;
    int width;
    const char* displayFormat;
    bool endEllipsis;
    bool hideDuplicates;
};

// The results grid's columns, in order: the phone, the name and the address.
inline constexpr DirectoryColumn kDirectoryColumns[] = {
    {"Tel", "Телефон", 49, "#-##-##", false, false},
    {"Fio", "Ф.И.О. или организация", 187, "", true, true},
    {"Name", "Адрес", 159, "", false, false},
};
