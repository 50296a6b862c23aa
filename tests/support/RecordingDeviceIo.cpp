#include "support/RecordingDeviceIo.h"

#include <algorithm>

namespace kiro::test {

DeviceHandle RecordingDeviceIo::Opened(std::string what) {
    opened.push_back(std::move(what));
    return opens ? nextHandle_++ : kNoDevice;
}

DeviceHandle RecordingDeviceIo::OpenVolume(char letter) {
    return Opened(std::string("letter:") + letter);
}

DeviceHandle RecordingDeviceIo::OpenPath(const std::string& devicePath) {
    return Opened("path:" + devicePath);
}

int RecordingDeviceIo::Send(DeviceHandle handle, const ScsiRequest& request) {
    SentCommand command{handle,
                        request.commandBlock,
                        request.direction,
                        request.buffer != nullptr,
                        request.length,
                        request.timeoutSeconds,
                        {}};
    if (request.buffer && request.direction == DataDirection::ToDevice)
        command.dataSent.assign(request.buffer, request.buffer + request.length);
    if (request.buffer && request.direction == DataDirection::FromDevice)
        std::copy_n(answer.begin(), std::min<size_t>(answer.size(), request.length), request.buffer);
    sent.push_back(std::move(command));
    return sendResult;
}

int RecordingDeviceIo::Lock(DeviceHandle) {
    ++lockAttempts;
    if (lockFailures > 0) {
        --lockFailures;
        return lockError;
    }
    return 0;
}

int RecordingDeviceIo::Unlock(DeviceHandle handle) {
    return Lock(handle);
}

}  // namespace kiro::test
