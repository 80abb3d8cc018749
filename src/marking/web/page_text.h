// Reading a saved page into one search string, the way a delimited-text reader sees it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/result.h"

namespace tarnwick::marking::web_rubrics {

inline constexpr std::size_t kMaxPageBytes = 16u * 1024u * 1024u;

// The character set a page's bytes are in: by byte-order mark, else by a declared charset,
// else code page 936. Returns an iconv name.
std::string pageCharset(std::string_view bytes);

// Decodes page bytes to UTF-8 by pageCharset (a byte-order mark is dropped). Fails only when the
// platform has no converter for the character set: marking undecoded bytes would be wrong.
Result<std::string> decodePage(std::string_view bytes);

// Joins the items of delimited text: blanks (spaces and tabs) before an item are skipped, an
// item ends at a comma or a line end (CR LF, LF or CR), which is consumed. Quotes stay.
std::string joinItems(std::string_view text);

// joinItems over text that arrives in pieces (a CR LF may be cut between two of them).
class ItemJoiner {
public:
    void feed(std::string_view text, std::string& out);

private:
    bool atItemStart_ = true;
    bool afterCR_ = false;
};

// decodePage, then joinItems.
Result<std::string> pageTextFromBytes(std::string_view bytes);

// Reads the page file a chunk at a time (decodePage, then joinItems); errors are one Chinese
// sentence.
Result<std::string> readPageText(const std::filesystem::path& file);

// 1-based position in code points of the first occurrence of pattern, 0 when absent.
long firstPosition(std::string_view pageText, std::string_view pattern);

// name="value", the pattern of an attribute with its value.
std::string attributePattern(std::string_view name, std::string_view value);

}  // namespace tarnwick::marking::web_rubrics
