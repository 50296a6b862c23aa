#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kiro {

// A piece of a text file as a line reader with a fixed buffer hands it out: up to
// bufferSize - 1 characters, ending after the first line break. Files are read in text mode:
// CR LF counts as one line break.
struct TextChunk {
    std::string text;         // including the line break when there is one
    bool endedLine = false;   // the chunk ends with a line break
    bool reachedEnd = false;  // reading this chunk reached the end of the file
};

std::vector<TextChunk> SplitTextChunks(std::string_view content, size_t bufferSize);

}  // namespace kiro
