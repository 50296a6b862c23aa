#include "platform/win32/Win32Volumes.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "platform/sim/FakeVolumes.h"
#include "platform/win32/Win32DeviceIo.h"
#include "platform/win32/Win32FileAttributes.h"
#include "support/TempFolder.h"

// The real drives of the machine the tests run on. Under Wine that is C: and Z: (the Linux
// root) and never a removable disk, so what needs one is checked through its parts elsewhere.
namespace kiro::win32_platform {
namespace {

// The first letter from D on that the machine does not use.
char UnusedLetter() {
    const uint32_t inUse = GetLogicalDrives();
    for (char letter = 'D'; letter <= 'Z'; ++letter)
        if (!(inUse & LetterBit(letter))) return letter;
    return 0;
}

TEST(Win32VolumesTest, TheSystemDriveIsAFixedDriveWithItsSpace) {
    const Win32Volumes volumes;
    EXPECT_TRUE(volumes.LogicalDrives() & LetterBit('C'));
    EXPECT_EQ(volumes.LogicalDrives() & ~((1u << 26) - 1), 0u);
    EXPECT_EQ(volumes.TypeOf('C'), DriveType::Fixed);
    EXPECT_EQ(volumes.RootOf('C'), "C:");
    uint64_t total = 0, free = 0;
    ASSERT_TRUE(volumes.SpaceOf('C', total, free));
    EXPECT_GT(total, 0u);
    EXPECT_GT(free, 0u);
    EXPECT_LE(free, total);
}

TEST(Win32VolumesTest, LettersNotInUseAndNonLettersHaveNothing) {
    const Win32Volumes volumes;
    const char unused = UnusedLetter();
    ASSERT_NE(unused, 0);
    // Lower case, digits and the bytes around the alphabet would shift the letter bit out of
    // the mask, or onto another letter.
    for (const char letter : {unused, 'c', '1', '@', '[', '\0'}) {
        EXPECT_EQ(volumes.TypeOf(letter), DriveType::NoRootDir) << int(letter);
        EXPECT_EQ(volumes.RootOf(letter), "") << int(letter);
        uint64_t total = 7, free = 7;
        EXPECT_FALSE(volumes.SpaceOf(letter, total, free)) << int(letter);
        EXPECT_EQ(total, 7u) << int(letter);
    }
}

// The program reaches the files of a watch disk as root + "/" + name.
TEST(Win32VolumesTest, RootThenSlashAndNameReachesAFile) {
    const test::TempFolder folder;
    const std::string& path = folder.Path();
    ASSERT_GE(path.size(), 3u);
    ASSERT_EQ(path[1], ':') << path;
    std::string below = path.substr(2);
    std::replace(below.begin(), below.end(), '\\', '/');
    const std::string root = Win32Volumes().RootOf(path[0]);
    ASSERT_FALSE(root.empty());
    {
        std::ofstream out(root + below + "/CLOCK.TXT", std::ios::binary);
        out << "12:00";
    }
    EXPECT_EQ(folder.Read("CLOCK.TXT"), "12:00");
}

TEST(Win32VolumesTest, DevicePathsAreNoRootsAndFoldersAreAskedWithTheirSeparator) {
    const Win32Volumes volumes;
    EXPECT_EQ(volumes.TypeOfPath("\\\\?\\usbstor#disk&ven_x5#0001#{53f56307-b6bf-11d0-94f2-00a0c91efb8b}"),
              DriveType::NoRootDir);
    EXPECT_EQ(volumes.TypeOfPath("\\\\.\\PhysicalDrive0"), DriveType::NoRootDir);
    EXPECT_EQ(volumes.TypeOfPath(""), DriveType::NoRootDir);
    EXPECT_EQ(volumes.TypeOfPath("C:\\"), DriveType::Fixed);
    EXPECT_EQ(volumes.TypeOfPath("C:"), DriveType::Fixed);
    EXPECT_EQ(volumes.TypeOfPath("\\\\?\\C:\\"), DriveType::Fixed) << "a root in the device namespace";
    EXPECT_EQ(volumes.TypeOfPath(std::string{UnusedLetter(), ':'}), DriveType::NoRootDir);
}

// Under Wine the search finds no removable disk; on any machine, what it finds are device
// paths, which the program opens by path only when they are not roots.
TEST(Win32VolumesTest, TheDiskSearchGivesOnlyDevicePaths) {
    const Win32Volumes volumes;
    for (const std::string& path : volumes.UnmountedDiskPaths()) {
        EXPECT_EQ(path.rfind("\\\\?\\", 0), 0u) << path;
        EXPECT_EQ(volumes.TypeOfPath(path), DriveType::NoRootDir) << path;
    }
}

DWORD AttributesOf(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

TEST(Win32FileAttributesTest, HiddenIsAddedToTheAttributesTheFileHas) {
    const test::TempFolder folder;
    folder.Write("USBWATCH.DAT", "marker");
    const std::string path = folder.File("USBWATCH.DAT");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));

    Win32FileAttributes attributes;
    EXPECT_TRUE(attributes.SetHidden(path));
    EXPECT_EQ(AttributesOf(path) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY),
              DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY});
    EXPECT_TRUE(attributes.SetHidden(path)) << "a file hidden already";
    // A read-only file would outlive the folder.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    folder.Write("PLAIN.DAT", "x");
    const std::string plain = folder.File("PLAIN.DAT");
    ASSERT_TRUE(SetFileAttributesA(plain.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(attributes.SetHidden(plain));
    EXPECT_TRUE(AttributesOf(plain) & FILE_ATTRIBUTE_HIDDEN) << "from no attribute at all";

    EXPECT_FALSE(attributes.SetHidden(folder.File("MISSING.DAT")));
}

TEST(Win32DeviceIoTest, NothingOpensThatIsNotThere) {
    const char unused = UnusedLetter();
    const test::TempFolder folder;
    sim::FakeVolumes volumes;
    // A letter the volumes report that the system does not have.
    volumes.MountAt(unused, folder.Path(), DriveType::Removable);
    Win32DeviceIo io(volumes);
    EXPECT_EQ(io.OpenVolume(unused), kNoDevice);
    EXPECT_EQ(io.OpenVolume('C'), kNoDevice) << "a letter the volumes do not report";
    EXPECT_EQ(io.OpenVolume('c'), kNoDevice);
    EXPECT_EQ(io.OpenPath(""), kNoDevice);
    EXPECT_EQ(io.OpenPath("\\\\?\\usbstor#disk&ven_x5#0001#{53f56307-b6bf-11d0-94f2-00a0c91efb8b}"),
              kNoDevice);

    const Win32Volumes real;
    Win32DeviceIo realIo(real);
    EXPECT_EQ(realIo.OpenVolume(unused), kNoDevice);
}

TEST(Win32DeviceIoTest, NumbersNotOpenAreRefusedAsSystemErrors) {
    const Win32Volumes volumes;
    Win32DeviceIo io(volumes);
    uint8_t buffer[512] = {};
    ScsiRequest request;
    request.direction = DataDirection::FromDevice;
    request.buffer = buffer;
    request.length = sizeof buffer;
    for (const DeviceHandle handle : {kNoDevice, 0, 1, 77}) {
        EXPECT_EQ(io.Send(handle, request), ERROR_INVALID_HANDLE) << handle;
        EXPECT_EQ(io.Lock(handle), ERROR_INVALID_HANDLE) << handle;
        EXPECT_EQ(io.Unlock(handle), ERROR_INVALID_HANDLE) << handle;
        io.Close(handle);
    }
}

// A plain file opens like a device (the system does not tell them apart by name) and refuses
// the pass-through, which is enough to follow the numbers and the handles behind them.
TEST(Win32DeviceIoTest, EachOpenGetsANumberOfItsOwnAndEveryHandleIsClosed) {
    const test::TempFolder folder;
    folder.Write("disk.img", std::string(4096, '\0'));
    const std::string path = folder.File("disk.img");
    const Win32Volumes volumes;
    {
        Win32DeviceIo io(volumes);
        const DeviceHandle first = io.OpenPath(path);
        const DeviceHandle second = io.OpenPath(path);
        ASSERT_NE(first, kNoDevice);
        ASSERT_NE(second, kNoDevice);
        EXPECT_GT(first, 0) << "a handle left at zero names no disk";
        EXPECT_NE(first, second);

        ScsiRequest inquiry;
        inquiry.commandBlock = {0x12, 0, 0, 0, 36};
        uint8_t answer[36] = {};
        inquiry.direction = DataDirection::FromDevice;
        inquiry.buffer = answer;
        inquiry.length = sizeof answer;
        EXPECT_GT(io.Send(first, inquiry), 0) << "a refused request is a system error";

        io.Close(first);
        EXPECT_EQ(io.Send(first, inquiry), ERROR_INVALID_HANDLE);
        const DeviceHandle third = io.OpenPath(path);
        EXPECT_NE(third, first) << "a closed number reaches nothing new";
        EXPECT_NE(third, kNoDevice);
        // The file is held open without delete sharing until the handles are closed.
        EXPECT_FALSE(DeleteFileA(path.c_str()));
    }
    EXPECT_TRUE(DeleteFileA(path.c_str())) << "the handles still open were closed with the device layer";
}

}  // namespace
}  // namespace kiro::win32_platform
