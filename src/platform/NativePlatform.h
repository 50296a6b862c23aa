#pragma once
// The real adapters of the machine this build runs on, named once so that the front ends and
// the tests choose the platform in one place.
#if defined(_WIN32)
#include "platform/win32/CngSignatureVerifier.h"
#include "platform/win32/CodePageTextCodec.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Launcher.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32Machine.h"
#include "platform/win32/Win32ProcessInfo.h"
#include "platform/win32/WinInetHttpClient.h"
#else
#include "platform/linux/CurlHttpClient.h"
#include "platform/linux/EnvironmentLocale.h"
#include "platform/linux/IconvTextCodec.h"
#include "platform/linux/LinuxClock.h"
#include "platform/linux/LinuxMachine.h"
#include "platform/linux/LinuxProcessInfo.h"
#include "platform/linux/OpenSslSignatureVerifier.h"
#include "platform/linux/PosixFileSystem.h"
#include "platform/linux/PosixLauncher.h"
#endif

namespace kiro {

#if defined(_WIN32)
using NativeFileSystem = win32_platform::Win32FileSystem;
using NativeClock = win32_platform::Win32Clock;
using NativeLocale = win32_platform::Win32Locale;
using NativeTextCodec = win32_platform::CodePageTextCodec;
using NativeHttpClient = win32_platform::WinInetHttpClient;
using NativeMachine = win32_platform::Win32Machine;
using NativeProcessInfo = win32_platform::Win32ProcessInfo;
using NativeLauncher = win32_platform::Win32Launcher;
using NativeSignatureVerifier = win32_platform::CngSignatureVerifier;
#else
using NativeFileSystem = linux_platform::PosixFileSystem;
using NativeClock = linux_platform::LinuxClock;
using NativeLocale = linux_platform::EnvironmentLocale;
using NativeTextCodec = linux_platform::IconvTextCodec;
using NativeHttpClient = linux_platform::CurlHttpClient;
// The disks, device commands, device events and file attributes, wired together.
using NativeMachine = linux_platform::LinuxMachine;
using NativeProcessInfo = linux_platform::LinuxProcessInfo;
using NativeLauncher = linux_platform::PosixLauncher;
using NativeSignatureVerifier = linux_platform::OpenSslSignatureVerifier;
#endif

}  // namespace kiro
