#include "core/app/App.h"

#include "core/base/Format.h"
#include "core/system/Locale.h"

namespace kiro {

App::App(const std::string& programFolder, Clock& clock, const Locale& locale, FileSystem& files)
    : paths_(programFolder),
      files_(files),
      writer_(files, clock, paths_),
      iniFile_(writer_),
      settings_(iniFile_),
      store_(writer_),
      clock_(clock),
      locale_(locale) {}

std::error_code App::Start() {
    const std::error_code recovered = writer_.RecoverAtStart();
    // Read as the settings stand between two commits of any program; a folder held past the wait
    // is read as it is, and the caller is told.
    const ProgramFolderWriter::Hold reading = writer_.ReadLock();
    LoadSettings();
    return recovered ? recovered : reading.Error();
}

void App::LoadSettings() {
    settings_.Load(DefaultLanguageFor(locale_.AbbreviatedLanguageName()), clock_.TickCount());
}

std::string App::WindowTitle() const {
    return Format("%s, Ver %s", GetLangText(TextId::ProgramName), kVersionText);
}

}  // namespace kiro
