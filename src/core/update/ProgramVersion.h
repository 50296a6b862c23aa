#pragma once

// The program's version, 2.042 as four numbers. Macros, so that the note of the program file
// that carries them can be written in the assembler text of the build.
#define KIRO_VERSION_MAJOR 2
#define KIRO_VERSION_MINOR 42
#define KIRO_VERSION_PATCH 0
#define KIRO_VERSION_BUILD 0
