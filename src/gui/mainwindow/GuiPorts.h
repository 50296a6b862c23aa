#pragma once
#include "core/system/DeviceEvents.h"
#include "core/system/DeviceIo.h"
#include "core/system/FileAttributes.h"
#include "core/system/HttpClient.h"
#include "core/system/Keyboard.h"
#include "core/system/ProcessInfo.h"
#include "core/system/SignatureVerifier.h"
#include "core/system/TextCodec.h"
#include "core/system/Volumes.h"

namespace kiro::gui {

// The devices the window works with: the real adapters, or the simulated watch of the demo.
struct GuiPorts {
    Volumes& volumes;
    DeviceIo& device;
    DeviceEvents& events;
    FileAttributes& attributes;
    Keyboard& keyboard;
    // The update check's way to the server, and the running program's own file.
    HttpClient& http;
    ProcessInfo& process;
    // The build's key, when it has one: the update check then takes only signed builds.
    const SignatureVerifier* signatures = nullptr;
};

}  // namespace kiro::gui
