#include "core/base/TextChunks.h"

namespace kiro {

std::vector<TextChunk> SplitTextChunks(std::string_view content, size_t bufferSize) {
    std::string text;
    text.reserve(content.size());
    for (size_t i = 0; i < content.size(); ++i) {
        if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') continue;
        text += content[i];
    }
    std::vector<TextChunk> chunks;
    const size_t limit = bufferSize > 1 ? bufferSize - 1 : 1;
    size_t at = 0;
    while (at < text.size()) {
        TextChunk chunk;
        while (at < text.size() && chunk.text.size() < limit) {
            const char c = text[at++];
            chunk.text += c;
            if (c == '\n') {
                chunk.endedLine = true;
                break;
            }
        }
        // A reader stopping at a line break has not yet tried to read past the end.
        chunk.reachedEnd = at >= text.size() && !chunk.endedLine;
        chunks.push_back(std::move(chunk));
    }
    return chunks;
}

}  // namespace kiro
