// The definitions document: the walk over its tokens that collects page-address replacements and
// the news messages meant for this program version.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "definitions/ReceivedMessage.h"
#include "state/PageTemplates.h"
#include "xml/XmlReaderSimple.h"

namespace qlx {

// How far a download got. 0, 4 and 8 are the walk's own results.
enum DefinitionsStatus : int32_t {
    kDefinitionsOk = 0,
    kDefinitionsNoXml = 1,         // the body was cut out but not read
    kDefinitionsFailed = 3,        // general failure
    kDefinitionsUnbalanced = 4,    // nesting not balanced at the end
    kDefinitionsNoConnection = 5,
    kDefinitionsNoAnswer = 6,
    kDefinitionsBadAnswer = 7,     // no header/body separator, or malformed framing
    kDefinitionsXmlError = 8,
};

enum class TemplatePair { ProgramPage, Lookup };

struct TemplateReplacement {
    TemplatePair pair;
    std::string modern;
    std::string gcf;
    bool operator==(const TemplateReplacement&) const = default;
};

struct DefinitionsParseResult {
    int32_t status = kDefinitionsOk;
    // In document order, also those found before a later error; only web addresses.
    std::vector<TemplateReplacement> replacements;
    // None until the first accepted message.
    std::optional<ReceivedMessageList> messages;
};

// Walks the reader's tokens. On a first run (no settings file at start) messages are skipped.
DefinitionsParseResult ParseDefinitions(TXmlReaderSimple& reader, bool settingsFileMissing);

// Applies replacements in order; the main window does this on its own thread.
void applyTemplateReplacements(PageTemplates& templates, const std::vector<TemplateReplacement>& replacements);

} // namespace qlx
