#pragma once

namespace kiro {

// 375 texts: Traditional Chinese (Big5) 0..124, Simplified Chinese (GBK) 125..249,
// English 250..374. Generated at build time from texts/ui_texts.tsv.
extern const char* const kLangTable[375];

}  // namespace kiro
