#pragma once
#include <QLocale>

namespace kiro::gui {

// The locale of the program's calendars in a language: it names the months and weekdays, and it
// says on which day a week starts, the same in every calendar of the program.
QLocale CalendarLocale(int language);

}  // namespace kiro::gui
