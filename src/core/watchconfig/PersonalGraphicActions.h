#pragma once
#include <string>

#include "core/app/App.h"
#include "core/system/DeviceIo.h"
#include "core/system/Host.h"
#include "core/system/Volumes.h"
#include "core/watchconfig/PersonalPicture.h"

namespace kiro {

// What the personal graphic page sends to the watch besides the effects and speed already in
// the watch settings.
struct PersonalComposition {
    std::string message;
    PictureLines picture{};
    bool demo = false;  // the hidden Demo Mode box: CLOCK.TXT gets its Demo line
};

// Sends the message, picture, effects and speed to the selected watch: a device-mode watch gets
// a configuration block (no alarm bytes), a file-mode watch CLOCK.TXT with the personal lines.
// The message keeps only what the watch can show. Device events wait while the block goes out.
// Returns false, with the reason on the status line, when the watch did not take it.
bool SavePersonalToWatch(App& app, DeviceIo& device, const Volumes& volumes, Host& host,
                         const PersonalComposition& composition);

// Stores the picture in slot 1..4 of the settings. A slot in use is overwritten only when the
// user says so ("OverWrite it (Y/N) ?") or AutoConfirm is on. Returns whether it was stored; a
// settings file that cannot be written is said on the status line.
bool PushPictureSlot(App& app, Host& host, int slot, const PictureLines& picture);

}  // namespace kiro
