// The definitions document's encoding: a document sent in UTF-8 is turned into the
// Windows-1252 text that the XML reader reads; any other document is read as it is.
#pragma once

#include <string>
#include <string_view>

namespace qlx {

// Whether the document is UTF-8: it begins with a UTF-8 byte-order mark, or with an XML
// declaration whose encoding is "utf-8" in any letter case.
bool isUtf8Document(std::string_view document);

// The document as the XML reader takes it. A document that is not UTF-8 comes back
// unchanged. A UTF-8 one loses its byte-order mark, and each character becomes its
// Windows-1252 byte, except:
// - inside a "link" tag (the page-address templates), every character beyond ASCII becomes
//   the percent-escapes of its UTF-8 bytes, as a web address carries it;
// - elsewhere, a character that Windows-1252 lacks becomes a decimal character reference
//   ("&#337;"), which the message views show as that character.
// A byte sequence that is not UTF-8 counts as one U+FFFD (the replacement character) per
// broken piece, so nothing undecodable reaches the reader as markup or as a stray byte.
std::string definitionsDocumentText(std::string document);

} // namespace qlx
