// The program's link time, version and seal, kept where the update check of any copy of the
// program can find them in the first bytes of the file: three ELF notes named "KiroMeter". Type 1
// holds the link time (seconds since 1970, written into the file after the link by kiro_stamp);
// type 2 the version as four 16-bit numbers; type 3 the seal, the file's length and SHA-256,
// written by kiro_stamp after the stamp. The notes go in an allocated note section, so the linker puts
// them in a note segment near the start of the file.
#include "core/update/ProgramVersion.h"

#define KIRO_TEXT(x) #x
#define KIRO_NUMBER(x) KIRO_TEXT(x)

asm(".pushsection .note.kirometer, \"a\", @note\n"
    ".balign 4\n"
    ".long 10\n"  // the name's length, its zero included
    ".long 4\n"
    ".long 1\n"
    ".asciz \"KiroMeter\"\n"
    ".balign 4\n"
    ".long 0xFFFFFFFF\n"  // no stamp until kiro_stamp writes the link time
    ".balign 4\n"
    ".long 10\n"
    ".long 8\n"
    ".long 2\n"
    ".asciz \"KiroMeter\"\n"
    ".balign 4\n"
    ".short " KIRO_NUMBER(KIRO_VERSION_MAJOR) ", " KIRO_NUMBER(KIRO_VERSION_MINOR) ", " KIRO_NUMBER(
        KIRO_VERSION_PATCH) ", " KIRO_NUMBER(KIRO_VERSION_BUILD) "\n"
    ".balign 4\n"
    ".long 10\n"
    ".long 40\n"
    ".long 3\n"
    ".asciz \"KiroMeter\"\n"
    ".balign 4\n"
    ".zero 40\n"  // unsealed until kiro_stamp seals the file
    ".popsection\n");
