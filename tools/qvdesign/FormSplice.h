// Replacing one property of one object in a text form file, leaving every
// other line as it was: how the designer host saves an edited property
// without rewriting what it did not touch.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vcl::formsplice {

// The lines of property Property (with its multi-line value) inside object
// Object, as [First, Last) byte offsets into Text; nullopt when the object
// does not set it. Object names and property names compare ignoring ASCII
// case, as the form formats do.
struct TRange {
    size_t First = 0, Last = 0;
};
std::optional<TRange> FindProperty(std::string_view Text, const std::string& Object, const std::string& Property);
// Where a property of Object may be inserted: the start of its first child
// object's line, or of its "end" line; nullopt when there is no such object.
std::optional<size_t> PropertyInsertPoint(std::string_view Text, const std::string& Object);

// Text with Object's Property replaced by the lines Lines (as a writer of the
// same form would write them, "\n" line ends, indented for the object), or
// inserted when the object did not set it, or removed when Lines is empty.
// Keeps Text's line ends (LF or CRLF). nullopt when Object is not in Text.
std::optional<std::string> ReplaceProperty(std::string_view Text, const std::string& Object,
                                           const std::string& Property, std::string_view Lines);

}  // namespace vcl::formsplice
