// The owner of the adapters' system handles: each handle is given back exactly once, by the
// function of its own kind, and never one that another owner holds.
#include "platform/win32/Win32Handle.h"

#include <windows.h>
// After windows.h, which they need.
#include <bcrypt.h>
#include <setupapi.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <utility>

namespace kiro::win32_platform {
namespace {

HANDLE NewEvent() {
    return CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

// Asking a closed handle about itself fails.
bool IsOpen(HANDLE handle) {
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags);
}

TEST(Win32HandleTest, AHandleIsClosedWhenItsOwnerGoesOrTakesAnother) {
    const HANDLE first = NewEvent();
    const HANDLE second = NewEvent();
    ASSERT_TRUE(IsOpen(first) && IsOpen(second));
    {
        KernelHandle owner(first);
        owner.Reset(second);
        EXPECT_FALSE(IsOpen(first));
        EXPECT_TRUE(IsOpen(second));
        owner.Reset(second);
        EXPECT_TRUE(IsOpen(second)) << "given the handle it holds, it keeps it";
    }
    EXPECT_FALSE(IsOpen(second));
}

TEST(Win32HandleTest, OwnershipMovesAndIsHandedOnWithoutClosing) {
    const HANDLE event = NewEvent();
    KernelHandle source(event);
    KernelHandle target(std::move(source));
    EXPECT_FALSE(source.Valid());
    EXPECT_EQ(target.Get(), event);

    // Taking another's handle gives back the one held before.
    const HANDLE other = NewEvent();
    KernelHandle next(other);
    next = std::move(target);
    EXPECT_FALSE(IsOpen(other));
    EXPECT_EQ(next.Get(), event);

    const HANDLE released = next.Release();
    EXPECT_FALSE(next.Valid());
    { const KernelHandle gone = std::move(next); }
    EXPECT_TRUE(IsOpen(released)) << "a released handle is the caller's";
    EXPECT_TRUE(CloseHandle(released));
}

TEST(Win32HandleTest, CloseReportsOnceAndLeavesNothingToCloseAgain) {
    KernelHandle owner(NewEvent());
    const HANDLE closed = owner.Get();
    EXPECT_TRUE(owner.Close());
    EXPECT_FALSE(IsOpen(closed));
    EXPECT_FALSE(owner.Valid());
    EXPECT_FALSE(owner.Close()) << "nothing is held any more";
    // The system may give the same number to the next object: the owner that closed it must not
    // close that one when it goes.
    const KernelHandle successor(NewEvent());
    { const KernelHandle gone = std::move(owner); }
    EXPECT_TRUE(IsOpen(successor.Get()));
}

TEST(Win32HandleTest, WhatAFailedOpenAnswersIsNeverHeld) {
    for (const HANDLE failed : {INVALID_HANDLE_VALUE, static_cast<HANDLE>(nullptr)}) {
        KernelHandle owner(failed);
        EXPECT_FALSE(owner.Valid());
        EXPECT_FALSE(owner.Close());
    }
    const KernelHandle missing(
        CreateFileA("no such folder\\no such file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(missing.Valid());
    WIN32_FIND_DATAA entry{};
    const FileSearchHandle nothingFound(FindFirstFileA("no such folder\\*", &entry));
    EXPECT_FALSE(nothingFound.Valid());
}

// A handle given to another kind's function is refused, so each Close that succeeds went to the
// function of its own kind.
TEST(Win32HandleTest, EachKindIsGivenBackByItsOwnFunction) {
    WIN32_FIND_DATAA entry{};
    FileSearchHandle search(FindFirstFileA("*", &entry));
    ASSERT_TRUE(search.Valid());
    EXPECT_TRUE(search.Close());

    DeviceInfoList devices(SetupDiGetClassDevsA(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES));
    ASSERT_TRUE(devices.Valid());
    EXPECT_TRUE(devices.Close());

    InternetHandle session(InternetOpenA("KiroMeter test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    ASSERT_TRUE(session.Valid());
    EXPECT_TRUE(session.Close());

    BCRYPT_ALG_HANDLE opened = nullptr;
    ASSERT_TRUE(BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&opened, BCRYPT_AES_ALGORITHM, nullptr, 0)));
    CngAlgorithmHandle algorithm(opened);
    UCHAR secret[16] = {1, 2, 3};
    BCRYPT_KEY_HANDLE made = nullptr;
    ASSERT_TRUE(BCRYPT_SUCCESS(
        BCryptGenerateSymmetricKey(algorithm.Get(), &made, nullptr, 0, secret, sizeof secret, 0)));
    CngKeyHandle key(made);
    EXPECT_TRUE(key.Close());
    EXPECT_TRUE(algorithm.Close());
}

}  // namespace
}  // namespace kiro::win32_platform
