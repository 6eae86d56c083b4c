// The program's text is Windows-1252 inside; the desktop speaks Unicode (UTF-8 on the wire
// and in files). These convert at the edge.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace qlx::qt {

QString fromCp1252(std::string_view text);
// A character the code page lacks becomes the unassigned byte 0x81, as the Windows program
// marks it.
std::string toCp1252(const QString& text);

// A file's bytes: UTF-8 (valid, without a byte-order mark) becomes Windows-1252; anything else
// (a mark, which the settings reader knows itself, or bytes that are no UTF-8) stays as it is.
std::string fileBytesToCp1252(std::string_view bytes);
std::string cp1252ToUtf8(std::string_view text);

} // namespace qlx::qt
