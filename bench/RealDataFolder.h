#pragma once
// A program folder holding real people's steps, for the benchmarks that read the store.
#include <memory>
#include <string>

#include "core/app/App.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedLocale.h"
#include "support/TempFolder.h"

namespace kiro::bench {

class RealDataFolder {
  public:
    // April and May 2016 of the first shared person, and a wearer set up for distances.
    static std::unique_ptr<RealDataFolder> TwoMonths();
    // Ten years, 2005 to 2014, each day one of the second shared person's days in turn.
    static std::unique_ptr<RealDataFolder> TenYears();

    kiro::App& App() { return app_; }
    std::string MonthFile(int year, int month) const;

  private:
    RealDataFolder();

    test::TempFolder folder_;
    sim::FakeClock clock_;
    sim::FixedLocale locale_;
    NativeFileSystem files_;
    kiro::App app_;
};

}  // namespace kiro::bench
