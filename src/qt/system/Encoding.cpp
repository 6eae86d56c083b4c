#include "qt/system/Encoding.h"

#include <QList>

#include "Text.h"

namespace qlx::qt {

QString fromCp1252(std::string_view text) {
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (const char c : text)
        out.append(QChar(static_cast<char16_t>(windows1252Code(static_cast<unsigned char>(c)))));
    return out;
}

std::string toCp1252(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (const uint code : text.toUcs4()) {
        const int byte = windows1252Byte(code);
        // Marked rather than guessed, as on Windows: the lookup makes a wildcard of it.
        out.push_back(byte < 0 ? '\x81' : static_cast<char>(byte));
    }
    return out;
}

std::string fileBytesToCp1252(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") ||
        bytes.starts_with("\xFE\xFF"))
        return std::string(bytes);
    bool ascii = true;
    for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) return std::string(bytes);
    const QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const QString text = QString::fromUtf8(raw);
    // Bytes that are no UTF-8 come back with replacement characters: an older file in the
    // code page itself, read as it is.
    if (text.toUtf8() != raw) return std::string(bytes);
    return toCp1252(text);
}

std::string cp1252ToUtf8(std::string_view text) {
    return fromCp1252(text).toUtf8().toStdString();
}

} // namespace qlx::qt
