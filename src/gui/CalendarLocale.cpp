#include "gui/CalendarLocale.h"

#include "core/app/Language.h"

namespace kiro::gui {

QLocale CalendarLocale(int language) {
    if (language == kTraditionalChinese)
        return QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan);
    if (language == kSimplifiedChinese)
        return QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China);
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

}  // namespace kiro::gui
