// The seal of a Windows program: 40 bytes at the start of a section of their own, ".kirosum",
// which the update check finds through the section table. kiro_stamp writes the file's length
// and SHA-256 there after the link; zeros until then. A data section, so that the bytes are in
// the file.
asm(".section .kirosum, \"dr\"\n"
    ".balign 4\n"
    ".zero 40\n"
    ".text\n");
