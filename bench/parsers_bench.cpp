// The program's INI text and XML reader against outside parsers doing comparable work on the
// same generated input: every section, key and value, or every token's name, attributes and
// content, is decoded and counted on every side.
#include <expat.h>
#include <ini.h>

#include <cstring>
#include <pugixml.hpp>
#include <string>
#include <utility>
#include <vector>

#include "BenchDocuments.h"
#include "BenchRegistry.h"
#include "settings/IniFile.h"
#include "xml/XmlReaderSimple.h"

namespace qlx::bench {
namespace {

constexpr size_t kIniBytes = 1 << 20;
constexpr size_t kXmlBytes = 10 << 20;

const std::string& iniText() {
    static const std::string text = settingsIni(kIniBytes);
    return text;
}

const std::string& xmlText() {
    static const std::string text = definitionsDocument(kXmlBytes);
    return text;
}

// --- INI: parse and write the text again ---

AddWorkload iniQuiklex("ini/quiklex", kIniBytes, [] {
    iniText();
    return Run([] { return IniFile::parse(iniText()).text().size(); });
});

// The yardstick keeps what its handler is given in a comparable structure and writes it out
// in the program's layout.
struct IniModel {
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    std::vector<Section> sections;

    std::string text() const {
        std::string out;
        for (const Section& s : sections) {
            out += '[';
            out += s.name;
            out += "]\r\n";
            for (const auto& [key, value] : s.entries) {
                out += key;
                out += '=';
                out += value;
                out += "\r\n";
            }
            out += "\r\n";
        }
        return out;
    }
};

int iniHandler(void* user, const char* section, const char* name, const char* value) {
    auto* model = static_cast<IniModel*>(user);
    if (model->sections.empty() || model->sections.back().name != section)
        model->sections.push_back({section, {}});
    model->sections.back().entries.emplace_back(name, value);
    return 1;
}

AddWorkload iniInih("ini/inih", kIniBytes, [] {
    iniText();
    return Run([] {
        IniModel model;
        if (ini_parse_string(iniText().c_str(), iniHandler, &model) != 0) return size_t{0};
        return model.text().size();
    });
});

// --- XML: every token read, decoded and counted ---

AddWorkload xmlQuiklex("xml/quiklex", kXmlBytes, [] {
    xmlText();
    return Run([] {
        TXmlReaderSimple reader{std::string_view(xmlText())};
        size_t sum = 0;
        while (reader.next()) {
            switch (reader.kind()) {
            case xmlStartTag:
            case xmlEmptyElement:
                sum += reader.name().size();
                for (const auto& [name, value] : reader.attributes())
                    sum += name.size() + value.value.size();
                break;
            case xmlContent:
            case xmlComment:
            case xmlCDATA:
                sum += reader.content().size();
                break;
            case xmlError:
                return size_t{0};
            default:
                sum += reader.name().size();
                break;
            }
        }
        return sum;
    });
});

// Whitespace-only text is dropped, other text trimmed and attribute values normalised, as the
// program's reader does.
constexpr unsigned kPugiOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_pi |
                                  pugi::parse_declaration | pugi::parse_wnorm_attribute |
                                  pugi::parse_trim_pcdata;

AddWorkload xmlPugixml("xml/pugixml", kXmlBytes, [] {
    xmlText();
    return Run([] {
        pugi::xml_document doc;
        const std::string& text = xmlText();
        if (!doc.load_buffer(text.data(), text.size(), kPugiOptions, pugi::encoding_utf8))
            return size_t{0};
        size_t sum = 0;
        pugi::xml_node node = doc.first_child();
        while (node) {
            sum += std::strlen(node.name()) + std::strlen(node.value());
            for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute())
                sum += std::strlen(a.name()) + std::strlen(a.value());
            if (node.first_child()) {
                node = node.first_child();
                continue;
            }
            while (node && !node.next_sibling())
                node = node.parent();
            if (node) node = node.next_sibling();
        }
        return sum;
    });
});

void XMLCALL expatStart(void* user, const XML_Char* name, const XML_Char** atts) {
    size_t& sum = *static_cast<size_t*>(user);
    sum += std::strlen(name);
    for (; *atts; atts += 2)
        sum += std::strlen(atts[0]) + std::strlen(atts[1]);
}
void XMLCALL expatEnd(void* user, const XML_Char* name) {
    *static_cast<size_t*>(user) += std::strlen(name);
}
void XMLCALL expatText(void* user, const XML_Char*, int length) {
    *static_cast<size_t*>(user) += static_cast<size_t>(length);
}
void XMLCALL expatComment(void* user, const XML_Char* data) {
    *static_cast<size_t*>(user) += std::strlen(data);
}
void XMLCALL expatInstruction(void* user, const XML_Char* target, const XML_Char* data) {
    *static_cast<size_t*>(user) += std::strlen(target) + std::strlen(data);
}

AddWorkload xmlExpat("xml/expat", kXmlBytes, [] {
    xmlText();
    return Run([] {
        // The document is Windows-1252; expat knows the single-byte Latin-1 instead.
        XML_Parser parser = XML_ParserCreate("ISO-8859-1");
        size_t sum = 0;
        XML_SetUserData(parser, &sum);
        XML_SetElementHandler(parser, expatStart, expatEnd);
        XML_SetCharacterDataHandler(parser, expatText);
        XML_SetCommentHandler(parser, expatComment);
        XML_SetProcessingInstructionHandler(parser, expatInstruction);
        const std::string& text = xmlText();
        bool ok = XML_Parse(parser, text.data(), static_cast<int>(text.size()), 1) == XML_STATUS_OK;
        XML_ParserFree(parser);
        return ok ? sum : 0;
    });
});

} // namespace
} // namespace qlx::bench
