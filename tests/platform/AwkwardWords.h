#pragma once
#include <string>
#include <vector>

namespace kiro::test {

// Words that a naive quoting or splitting of a command line would split, join or change.
inline std::vector<std::string> AwkwardWords() {
    return {
        "plain",
        "two words",
        "",
        "tab\there",
        "say \"hi\"",
        "\"",
        "\"\"",
        "ends with a quote\"",
        "C:\\folder\\",
        "C:\\folder with blanks\\\\",
        "\\",
        "a\\\\b\\c",
        "a\\\"b",
        "\\\\server\\share\\",
        "%PATH% & | < > ^ ( )",
    };
}

}  // namespace kiro::test
