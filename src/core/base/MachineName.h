#pragma once

// The processor this program is built for, as `uname -m` names it on Linux.
#if defined(__x86_64__)
#define KIRO_MACHINE_NAME "x86_64"
#elif defined(__aarch64__)
#define KIRO_MACHINE_NAME "aarch64"
#elif defined(__i386__)
#define KIRO_MACHINE_NAME "i686"
#elif defined(__arm__)
#define KIRO_MACHINE_NAME "armv7l"
#elif defined(__riscv) && __riscv_xlen == 64
#define KIRO_MACHINE_NAME "riscv64"
#elif defined(__powerpc64__) && defined(__LITTLE_ENDIAN__)
#define KIRO_MACHINE_NAME "ppc64le"
#elif defined(__s390x__)
#define KIRO_MACHINE_NAME "s390x"
#else
#error "no update address is named for this processor: add its name here"
#endif
