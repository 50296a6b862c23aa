#pragma once
#include <atomic>
#include <string>

#include "core/app/Language.h"
#include "core/app/Settings.h"
#include "core/base/ProgramFolder.h"
#include "core/base/Random.h"
#include "core/store/IniFile.h"
#include "core/store/MonthStore.h"
#include "core/store/ProgramFolderWriter.h"
#include "core/system/Clock.h"
#include "core/system/FileSystem.h"
#include "core/watch/WatchConnection.h"
#include "core/watch/WatchSettings.h"

namespace kiro {

class Locale;

// The process-wide state of the program, made once in main and passed by reference.
// Each piece has one owner module; this object only holds them together.
class App {
  public:
    App(const std::string& programFolder, Clock& clock, const Locale& locale, FileSystem& files);
    // The settings refer to the settings file held here: an App never moves.
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    const ProgramPaths& Paths() const { return paths_; }
    ProgramFolderWriter& Writer() { return writer_; }
    FileSystem& Files() { return files_; }
    Settings& Config() { return settings_; }
    const MonthStore& Store() const { return store_; }
    const Settings& Config() const { return settings_; }
    Clock& SystemClock() { return clock_; }
    const Locale& SystemLocale() const { return locale_; }
    Random& Rng() { return random_; }

    // The start of a program over its folder: finishes what a crash left of a commit, then loads
    // the settings under the folder's shared lock. Returns the error when a commit could not be
    // finished or the folder stayed busy (another program holds it, or it cannot be written);
    // the settings are loaded either way.
    std::error_code Start();
    // Loads every start setting; the language default comes from the locale.
    void LoadSettings();

    int CurrentLanguage() const { return settings_.Values().language; }
    // A text of the table in the current language (8-bit, see TextCodec).
    const char* GetLangText(TextId text) const { return kiro::GetLangText(CurrentLanguage(), text); }
    // The main window's title: "%s, Ver %s" with text 0 and the version text.
    std::string WindowTitle() const;

    // The class of the Windows version the program runs on only chooses between two pictures of
    // the summary and mission pages; Linux has none of those versions: class 0.
    static constexpr int kOsVersionClass = 0;

    // Set when a newer program file has been downloaded (by the update check's thread); read at exit.
    std::atomic<bool> updateReady = false;
    // The date the reports show, chosen in the main window's calendar (time of day 00:00:00).
    LocalTime selectedDate;
    // The watch in use and its settings record.
    WatchConnection watch;
    WatchSettings watchSettings;
    int timeAdjustMode = kTimeAdjustManual;

  private:
    ProgramPaths paths_;
    FileSystem& files_;
    ProgramFolderWriter writer_;
    IniFile iniFile_;
    Settings settings_;
    MonthStore store_;
    Clock& clock_;
    const Locale& locale_;
    Random random_;
};

inline constexpr const char* kVersionText = "2.042    2014/05/05";

}  // namespace kiro
