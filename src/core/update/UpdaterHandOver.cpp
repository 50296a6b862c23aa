#include "core/update/UpdaterHandOver.h"

#include <string_view>

namespace kiro {

bool HandOverToUpdater(App& app, Launcher& launcher, std::span<const uint8_t> updaterImage) {
    if (!app.updateReady || app.Config().Values().enableUpgrade == 0) return false;
    FileSystem& files = app.Files();
    const std::string updater = app.Paths().UpdaterFile();
    const std::string_view bytes(reinterpret_cast<const char*>(updaterImage.data()), updaterImage.size());
    if (files.MakeFolder(app.Paths().TempFolder()) || files.WriteFile(updater, bytes, Durability::Flushed) ||
        files.MakeExecutable(updater))
        return false;
    return launcher.StartDetached(updater, {updater});
}

}  // namespace kiro
