#pragma once

#include <QStringView>

#include <span>

// The word lists that generated entries are made of: a Russian town's streets, residents'
// surnames, initials, organisations and notes.
namespace TownNames {

// Street names in upper case, as addresses hold them ("ЛЕНИНА", "КАРЛА МАРКСА").
std::span<const QStringView> streets();
// Surnames in their male form ("Иванов", "Семёнов"); the female form is derived from it.
std::span<const QStringView> surnames();
// Capital letters that first names and patronymics commonly begin with.
std::span<const QStringView> initials();
// Kinds of organisation named by a quoted title ("ООО", "Магазин").
std::span<const QStringView> titledKinds();
// Quoted titles ("Ромашка", "Берёзка").
std::span<const QStringView> titles();
// Kinds of organisation named by a number ("Аптека", "Школа").
std::span<const QStringView> numberedKinds();
// Organisations of which a town has one ("Администрация города").
std::span<const QStringView> singleOrganisations();
// Notes on residents' entries and on organisations' entries.
std::span<const QStringView> personNotes();
std::span<const QStringView> organisationNotes();

} // namespace TownNames
