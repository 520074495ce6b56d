#include "package/core/names.h"

namespace jox {

const char16_t* const WeekDayShort[kNumLanguages][7] = {
    {u"Mo", u"Tu", u"We", u"Th", u"Fr", u"Sa", u"Su"},
    {u"Mo", u"Tu", u"We", u"Th", u"Fr", u"Sa", u"Su"},
    {u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa", u"So"},
    {u"Lu", u"Ma", u"Me", u"Je", u"Ve", u"Sa", u"Di"},
    {u"Lu", u"Ma", u"Mi", u"Ju", u"Vi", u"S\u00E1", u"Do"},
};

const char16_t* const MonthShort[kNumLanguages][13] = {
    {u"", u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"},
    {u"", u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"},
    {u"", u"Jan", u"Feb", u"M\u00E4r", u"Apr", u"Mai", u"Jun", u"Jul", u"Aug", u"Sep", u"Okt", u"Nov", u"Dez"},
    {u"", u"Janv", u"F\u00E9vr", u"Mars", u"Avr", u"Mai", u"Juin", u"Juil", u"Ao\u00FBt", u"Sept", u"Oct",
     u"Nov", u"D\u00E9c"},
    {u"", u"Ene", u"Feb", u"Mar", u"Abr", u"May", u"Jun", u"Jul", u"Ago", u"Sep", u"Oct", u"Nov", u"Dic"},
};

const char16_t* const MonthLong[kNumLanguages][13] = {
    {u"", u"January", u"February", u"March", u"April", u"May", u"June", u"July", u"August", u"September",
     u"October", u"November", u"December"},
    {u"", u"January", u"February", u"March", u"April", u"May", u"June", u"July", u"August", u"September",
     u"October", u"November", u"December"},
    {u"", u"Januar", u"Februar", u"M\u00E4rz", u"April", u"Mai", u"Juni", u"Juli", u"August", u"September",
     u"Oktober", u"November", u"Dezember"},
    {u"", u"Janvier", u"F\u00E9vrier", u"Mars", u"Avril", u"Mai", u"Juin", u"Juillet", u"Ao\u00FBt",
     u"Septembre", u"Octobre", u"Novembre", u"D\u00E9cembre"},
    {u"", u"Enero", u"Febrero", u"Marzo", u"Abril", u"Mayo", u"Junio", u"Julio", u"Agosto", u"Septiembre",
     u"Octubre", u"Noviembre", u"Diciembre"},
};

}  // namespace jox
