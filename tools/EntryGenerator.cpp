#include "tools/EntryGenerator.h"

#include "tools/EntryStore.h"
#include "tools/TownNames.h"

namespace {

constexpr unsigned kOrganisationPercent = 12;
constexpr unsigned kUpperCasePercent = 5;
constexpr unsigned kNoPhonePercent = 2;
constexpr unsigned kApartmentPercent = 75;
constexpr unsigned kPersonNotePercent = 10;
constexpr unsigned kOrganisationNotePercent = 35;
constexpr qint64 kProgressStep = 10000;

QString FemaleSurname(QStringView male) {
    if (male.endsWith(u"ский") || male.endsWith(u"цкий") || male.endsWith(u"ской")) {
        return male.chopped(2).toString() + QStringLiteral("ая");
    }
    if (male.endsWith(u"ов") || male.endsWith(u"ев") || male.endsWith(u"ёв") ||
        male.endsWith(u"ин") || male.endsWith(u"ын")) {
        return male.toString() + u'а';
    }
    return male.toString(); // Шевченко, Ковальчук: the same for both
}

} // namespace

EntryGenerator::EntryGenerator(std::uint64_t seed) : random_(seed) {
}

DirectoryEntry EntryGenerator::next() {
    const bool isOrganisation = random_.percent(kOrganisationPercent);
    DirectoryEntry entry;
    QString fio = isOrganisation ? organisation() : person();
    entry.fio = random_.percent(kUpperCasePercent) ? fio.toUpper() : fio;
    entry.name = address(!isOrganisation && random_.percent(kApartmentPercent));
    if (!random_.percent(kNoPhonePercent)) {
        entry.tel = phone();
    }
    if (random_.percent(isOrganisation ? kOrganisationNotePercent : kPersonNotePercent)) {
        entry.story = (isOrganisation ? random_.pick(TownNames::organisationNotes())
                                      : random_.pick(TownNames::personNotes()))
                          .toString();
    }
    return entry;
}

QString EntryGenerator::person() {
    const QStringView surname = random_.pick(TownNames::surnames());
    const QString name = random_.percent(50) ? FemaleSurname(surname) : surname.toString();
    const QStringView first = random_.pick(TownNames::initials());
    const QStringView second = random_.pick(TownNames::initials());
    return QStringLiteral("%1 %2.%3.").arg(name, first, second);
}

QString EntryGenerator::organisation() {
    const std::uint64_t form = random_.below(100);
    if (form < 45) {
        const QStringView kind = random_.pick(TownNames::titledKinds());
        return QStringLiteral("%1 \"%2\"").arg(kind, random_.pick(TownNames::titles()));
    }
    if (form < 85) {
        const QStringView kind = random_.pick(TownNames::numberedKinds());
        return QStringLiteral("%1 №%2").arg(kind, QString::number(random_.between(1, 25)));
    }
    return random_.pick(TownNames::singleOrganisations()).toString();
}

QString EntryGenerator::address(bool withApartment) {
    const QStringView street = random_.pick(TownNames::streets());
    if (!withApartment) {
        return QStringLiteral("%1 %2").arg(street, QString::number(random_.between(1, 80)));
    }
    const std::int64_t house = random_.between(1, 120);
    const std::int64_t apartment = random_.between(1, 180);
    return QStringLiteral("%1 %2-%3")
        .arg(street, QString::number(house), QString::number(apartment));
}

// 5 digits for most numbers of a small town, 6 or 7 for some; never a leading zero.
double EntryGenerator::phone() {
    const std::uint64_t kind = random_.below(100);
    const int digits = kind < 65 ? 5 : kind < 90 ? 6 : 7;
    std::int64_t scale = 1;
    for (int i = 1; i < digits; ++i) {
        scale *= 10;
    }
    // Separate statements: the order of the two draws must not be left to the compiler.
    const std::int64_t leading = random_.between(2, 9);
    const std::int64_t rest = random_.between(0, scale - 1);
    return static_cast<double>(leading * scale + rest);
}

void GenerateEntries(EntryStore& store, qint64 count, std::uint64_t seed,
                     const std::function<void(qint64 added)>& progress) {
    EntryGenerator generator(seed);
    store.addAll([&](const EntryStore::Add& add) {
        for (qint64 added = 0; added < count; ++added) {
            add(generator.next());
            if (progress && (added + 1) % kProgressStep == 0) {
                progress(added + 1);
            }
        }
    });
    if (progress) {
        progress(count);
    }
}
