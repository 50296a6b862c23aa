#include "core/app/App.h"

#include "core/app/Format.h"
#include "core/system/Locale.h"

namespace kiro {

App::App(const std::string& programFolder, Clock& clock, const Locale& locale)
    : paths_(programFolder), iniFile_(paths_.SettingsFile()), settings_(iniFile_), store_(paths_), clock_(clock), locale_(locale) {}

void App::LoadSettings() {
    settings_.Load(DefaultLanguageFor(locale_.AbbreviatedLanguageName()), clock_.TickCount());
}

std::string App::WindowTitle() const { return Format("%s, Ver %s", GetLangText(0), kVersionText); }

}  // namespace kiro
