#pragma once
#include "core/app/Language.h"

namespace kiro {

// The texts in three blocks of kTextCount: Traditional Chinese (Big5), Simplified Chinese (GBK),
// English. Generated at build time from texts/ui_texts.tsv.
extern const char* const kLangTable[3 * kTextCount];

}  // namespace kiro
