// libFuzzer target over the XML reader, the UTF-8 conversion and the definitions document walk:
// no crash, no hang, whatever the bytes and the options.
#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "definitions/DefinitionsDocument.h"
#include "definitions/DocumentEncoding.h"
#include "xml/XmlReaderSimple.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t options = data[0];
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    qlx::TXmlReaderSimple reader(text);
    reader.keepWhitespace = options & 1;
    reader.lowerCaseNames = options & 2;
    reader.decodeEntities = options & 4;
    // Read on past errors too: the reader must still reach the end of the text.
    size_t tokens = 0;
    while (reader.next()) {
        if (++tokens > 4 * text.size() + 8) __builtin_trap();
        if (reader.kind() == qlx::xmlStartTag && (options & 8)) reader.contentIsOnePart = true;
        (void)reader.attributes();
        (void)reader.content();
        (void)reader.content();
    }

    qlx::TXmlReaderSimple walked(text);
    (void)qlx::ParseDefinitions(walked, options & 16);

    // As the download reads it: a UTF-8 document converted first. The conversion never makes
    // or takes away markup, and stays within its bound of growth.
    const std::string converted = qlx::definitionsDocumentText(std::string(text));
    for (char c : {'<', '>', '\0'})
        if (std::count(text.begin(), text.end(), c) != std::count(converted.begin(), converted.end(), c))
            __builtin_trap();
    if (converted.size() > 9 * text.size()) __builtin_trap();
    if (!qlx::isUtf8Document(text) && converted != text) __builtin_trap();
    qlx::TXmlReaderSimple convertedReader(converted);
    (void)qlx::ParseDefinitions(convertedReader, options & 16);
    return 0;
}
