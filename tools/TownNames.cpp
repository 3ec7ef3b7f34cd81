#include "tools/TownNames.h"

namespace {

constexpr QStringView kStreets[] = {
    u"ЛЕНИНА",       u"СОВЕТСКАЯ",    u"МИРА",         u"ГАГАРИНА",      u"ПУШКИНА",
    u"ЛЕСНАЯ",       u"САДОВАЯ",      u"ШКОЛЬНАЯ",     u"НАБЕРЕЖНАЯ",    u"МОЛОДЁЖНАЯ",
    u"ЗЕЛЁНАЯ",      u"ОКТЯБРЬСКАЯ",  u"ПЕРВОМАЙСКАЯ", u"КОМСОМОЛЬСКАЯ", u"ЧЕХОВА",
    u"ГОРЬКОГО",     u"КИРОВА",       u"ЖУКОВА",       u"ФРУНЗЕ",        u"ПОБЕДЫ",
    u"КАРЛА МАРКСА", u"ЗАВОДСКАЯ",    u"ВОКЗАЛЬНАЯ",   u"ЦЕНТРАЛЬНАЯ",   u"РЕЧНАЯ",
    u"ПОЛЕВАЯ",      u"СТРОИТЕЛЕЙ",   u"ТРУДА",        u"ЛЕРМОНТОВА",    u"ЧАПАЕВА",
    u"ЩОРСА",        u"ДЗЕРЖИНСКОГО", u"ПОЧТОВАЯ",     u"ЮБИЛЕЙНАЯ",     u"СОЛНЕЧНАЯ",
    u"ЕСЕНИНА",      u"ТОЛСТОГО",     u"МАЯКОВСКОГО",  u"ГОГОЛЯ",        u"СЕМЁНОВСКАЯ",
};

constexpr QStringView kSurnames[] = {
    u"Иванов",    u"Петров",     u"Сидоров",   u"Смирнов",  u"Кузнецов", u"Попов",     u"Васильев",
    u"Соколов",   u"Михайлов",   u"Новиков",   u"Фёдоров",  u"Морозов",  u"Волков",    u"Алексеев",
    u"Лебедев",   u"Семёнов",    u"Егоров",    u"Павлов",   u"Козлов",   u"Степанов",  u"Николаев",
    u"Орлов",     u"Андреев",    u"Макаров",   u"Никитин",  u"Захаров",  u"Зайцев",    u"Соловьёв",
    u"Борисов",   u"Яковлев",    u"Григорьев", u"Романов",  u"Воробьёв", u"Королёв",   u"Ёлкин",
    u"Пономарёв", u"Журавлёв",   u"Артёмов",   u"Бельский", u"Щербаков", u"Белов",     u"Тарасов",
    u"Белоусов",  u"Комаров",    u"Калинин",   u"Ершов",    u"Гусев",    u"Титов",     u"Кудрявцев",
    u"Баранов",   u"Куликов",    u"Осипов",    u"Шевченко", u"Ткаченко", u"Ковальчук", u"Гончар",
    u"Жуковский", u"Островский", u"Трубецкой", u"Чернышёв",
};

constexpr QStringView kInitials[] = {u"А", u"Б", u"В", u"Г", u"Д", u"Е", u"Ж", u"З",
                                     u"И", u"К", u"Л", u"М", u"Н", u"О", u"П", u"Р",
                                     u"С", u"Т", u"Ф", u"Э", u"Ю", u"Я"};

constexpr QStringView kTitledKinds[] = {u"ООО",     u"ЗАО",  u"ОАО",
                                        u"Магазин", u"Кафе", u"Парикмахерская",
                                        u"Ателье",  u"Бар",  u"Гостиница"};

constexpr QStringView kTitles[] = {u"Ромашка", u"Берёзка", u"Весна",   u"Уют",         u"Радуга",
                                   u"Вектор",  u"Локон",   u"Север",   u"Колос",       u"Автолюкс",
                                   u"Ёлочка",  u"Огонёк",  u"Рассвет", u"Маяк",        u"Факел",
                                   u"Мечта",   u"Заря",    u"Юность",  u"Строймаркет", u"Визит"};

constexpr QStringView kNumberedKinds[] = {
    u"Аптека",     u"Школа",           u"Детский сад",        u"Поликлиника",
    u"Библиотека", u"Отделение связи", u"Сбербанк, доп. офис"};

constexpr QStringView kSingleOrganisations[] = {
    u"Администрация города", u"Горгаз, аварийная служба", u"Центральная районная больница",
    u"Дом культуры",         u"Железнодорожный вокзал",   u"Городская баня",
    u"Отдел милиции",        u"Пожарная часть",           u"Рынок \"Центральный\""};

constexpr QStringView kPersonNotes[] = {u"Звонить после 18:00",
                                        u"Домофон не работает",
                                        u"Номер сменился в 2005 г.",
                                        u"Спросить Семёна",
                                        u"Ветеран труда",
                                        u"Вход со двора",
                                        u"Днём не звонить",
                                        u"Второй номер: у соседей",
                                        u"Квартира на 5 этаже, лифта нет",
                                        u"Просил \"не беспокоить\" до 10:00"};

constexpr QStringView kOrganisationNotes[] = {u"Работает круглосуточно",
                                              u"Обед с 13:00 до 14:00",
                                              u"Выходной: воскресенье",
                                              u"Факс",
                                              u"Приёмная",
                                              u"Бухгалтерия",
                                              u"Вход с торца здания",
                                              u"Работает по будням, с 9 до 18"};

} // namespace

namespace TownNames {

std::span<const QStringView> streets() {
    return kStreets;
}
std::span<const QStringView> surnames() {
    return kSurnames;
}
std::span<const QStringView> initials() {
    return kInitials;
}
std::span<const QStringView> titledKinds() {
    return kTitledKinds;
}
std::span<const QStringView> titles() {
    return kTitles;
}
std::span<const QStringView> numberedKinds() {
    return kNumberedKinds;
}
std::span<const QStringView> singleOrganisations() {
    return kSingleOrganisations;
}
std::span<const QStringView> personNotes() {
    return kPersonNotes;
}
std::span<const QStringView> organisationNotes() {
    return kOrganisationNotes;
}

} // namespace TownNames
