#pragma once

#include "tools/DirectoryEntry.h"
#include "tools/RandomSource.h"

#include <QtGlobal>

#include <cstdint>
#include <functional>

class EntryStore;

// Makes plausible entries of a Russian town's directory, the same sequence for the same seed:
// residents ("Иванов И.П.") and organisations ("ООО \"Ромашка\"", "Аптека №3"), a few of them
// in upper case; addresses "<STREET> <house>-<apartment>" or "<STREET> <house>"; phone numbers
// of 5 to 7 digits, a few entries without one; a note on some entries.
class EntryGenerator {
public:
    explicit EntryGenerator(std::uint64_t seed);

    DirectoryEntry next();

private:
    QString person();
    QString organisation();
    QString address(bool withApartment);
    double phone();

    RandomSource random_;
};

// Adds count generated entries to the table `tel`, all together. progress, when given,
// is called now and then with the number of entries added so far, and at the end.
void GenerateEntries(EntryStore& store, qint64 count, std::uint64_t seed,
                     const std::function<void(qint64 added)>& progress = {});
