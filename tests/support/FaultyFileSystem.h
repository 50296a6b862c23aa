#pragma once
#include <functional>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "core/system/DeviceIo.h"
#include "core/system/FileSystem.h"
#include "support/DurableFolderModel.h"

namespace kiro::test {

// The real file system with faults put in on request: the n-th change of the disk (a write,
// copy, new file, rename, removal, new folder or folder flush) and every change after it can fail
// as on a full or read-only disk, or stop dead as if the process had been killed just before it,
// or as if the machine had lost its power then (a tracked folder keeps only what was flushed);
// chosen paths can fail on their own, writing or reading. Every change is logged.
class FaultyFileSystem final : public FileSystem {
  public:
    explicit FaultyFileSystem(FileSystem& real) : real_(real) {}

    // Changes from the n-th (counting from 1) on fail with `error` and change nothing.
    void FailFrom(int change, std::error_code error);
    // The n-th change and every one after it do nothing: the process died just before it.
    void CrashAt(int change);
    // From now on, knows what of the folder `root` would survive a power cut.
    void TrackDurability(const std::string& root);
    // As CrashAt, and the tracked folder is put back to what had been flushed before the n-th
    // change: the machine lost its power.
    void PowerCutAt(int change);
    // Writes, copies, renames and removals of paths containing `part` fail with `error`.
    void FailPath(std::string part, std::error_code error);
    // Reads of files whose path contains `part` fail with `error`.
    void FailRead(std::string part, std::error_code error);
    // Runs `action` just before the n-th change is made (another program at work meanwhile).
    void BeforeChange(int change, std::function<void()> action);
    // Listing a folder whose path contains `part` fails with `error` part way through.
    void FailListing(std::string part, std::error_code error);

    bool Crashed() const { return crashed_; }
    // The changes attempted so far, failed ones included.
    int Changes() const { return changes_; }
    // How many times files whose path contains `part` were read.
    int ReadsOf(const std::string& part) const;
    // Every change attempted, in order: "write+flush PATH", "write PATH", "copy FROM TO",
    // "copy-new FROM TO", "create PATH", "close PATH", "chmod PATH", "rename FROM TO", "remove PATH",
    // "mkdir PATH", "sync PATH"; paths within a tracked folder relative to it ("." for the folder itself).
    const std::vector<std::string>& Log() const { return log_; }

    FileContent ReadFile(const std::string& path, size_t limit, OverLimit overLimit) override;
    // Counted as a read of the path, and failed as one.
    std::unique_ptr<ReadableFile> OpenToRead(const std::string& path, std::error_code& error) override;
    bool OpensForReading(const std::string& path) override { return real_.OpensForReading(path); }
    std::error_code WriteFile(const std::string& path, std::string_view bytes,
                              Durability durability) override;
    std::error_code CopyFile(const std::string& from, const std::string& to) override;
    std::error_code CopyFileToNew(const std::string& from, const std::string& to) override;
    std::unique_ptr<WritableFile> CreateFile(const std::string& path, std::error_code& error) override;
    std::error_code SizeOf(const std::string& path, uint64_t& size) override {
        return real_.SizeOf(path, size);
    }
    std::error_code MakeExecutable(const std::string& path) override;
    std::error_code Rename(const std::string& from, const std::string& to) override;
    std::error_code Remove(const std::string& path) override;
    // A failing path is not the process's to replace either.
    bool MayReplace(const std::string& path) override;
    std::error_code MakeFolder(const std::string& path) override;
    std::error_code SyncFolder(const std::string& path) override;
    FolderListing ListFolder(const std::string& path) override;
    std::unique_ptr<FileLock> TryLock(const std::string& path, std::error_code& error) override {
        return real_.TryLock(path, error);
    }
    std::unique_ptr<FileLock> TryLockShared(const std::string& path, std::error_code& error) override {
        return real_.TryLockShared(path, error);
    }

  private:
    class TrackedFile;
    // The fault of the next change, if any; counts and logs it.
    std::error_code NextChange(const std::string& what, const std::string& path,
                               const std::string& secondPath = {});
    std::string Named(const std::string& path) const;
    bool Tracked(const std::string& path) const { return durable_ && durable_->Covers(path); }

    FileSystem& real_;
    int changes_ = 0;
    std::vector<std::string> reads_;
    int failFrom_ = 0;
    std::error_code failError_;
    int crashAt_ = 0;
    bool powerCut_ = false;
    bool crashed_ = false;
    std::unique_ptr<DurableFolderModel> durable_;
    std::vector<std::string> log_;
    int actionAt_ = 0;
    std::function<void()> action_;
    std::string failRead_;
    std::error_code failReadError_;
    std::string failPath_;
    std::error_code failPathError_;
    std::string failListing_;
    std::error_code failListingError_;
};

// Device commands that stop reaching the watch once `stopped` says so: after a simulated crash
// the program can no longer tell the watch anything. Single commands can be lost on their own.
class StoppableDeviceIo final : public DeviceIo {
  public:
    StoppableDeviceIo(DeviceIo& real, std::function<bool()> stopped,
                      std::function<bool(const ScsiRequest&)> lost = {})
        : real_(real), stopped_(std::move(stopped)), lost_(std::move(lost)) {}

    DeviceHandle OpenVolume(char letter) override { return real_.OpenVolume(letter); }
    DeviceHandle OpenPath(const std::string& devicePath) override { return real_.OpenPath(devicePath); }
    void Close(DeviceHandle handle) override { real_.Close(handle); }
    int Send(DeviceHandle handle, const ScsiRequest& request) override;
    int Lock(DeviceHandle handle) override { return real_.Lock(handle); }
    int Unlock(DeviceHandle handle) override { return real_.Unlock(handle); }
    DeviceAttachment AttachmentOf(DeviceHandle handle) override { return real_.AttachmentOf(handle); }

  private:
    DeviceIo& real_;
    std::function<bool()> stopped_;
    std::function<bool(const ScsiRequest&)> lost_;
};

}  // namespace kiro::test
