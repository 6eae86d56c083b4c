// The walk over the definitions document. Replacements are collected rather than applied, so
// that lookups on the main window's thread never see a half-replaced template.
#include "definitions/DefinitionsDocument.h"

#include <exception>

#include "Text.h"
#include "lookup/TemplateCheck.h"

namespace qlx {

namespace {

// A message is meant for this program when min-ver <= our version <= max-ver, compared
// byte-wise; an absent bound does not limit.
bool versionInWindow(const std::string& minVer, const std::string& maxVer) {
    return compareBytes(minVer, programVersion) <= 0 &&
           (maxVer.empty() || compareBytes(maxVer, programVersion) >= 0);
}

void walk(TXmlReaderSimple& reader, bool settingsFileMissing, DefinitionsParseResult& result) {
    int nesting = 0;
    bool inAcceptedMessage = false;
    while (reader.next()) {
        switch (reader.kind()) {
        case xmlStartTag:
        case xmlEmptyElement: {
            const bool startTag = reader.kind() == xmlStartTag;
            // Only the two elements that matter have their attribute values decoded.
            const std::string_view name = reader.name();
            const bool link = name == "link", message = !link && name == "message";
            const TXmlAttrs* attrs = link || message ? &reader.attributes() : nullptr;
            std::string key;
            if (link && !(key = TXmlReaderSimple::getAttribute(*attrs, "name")).empty()) {
                nesting = 1;
                inAcceptedMessage = false;
                std::string modern = TXmlReaderSimple::getAttribute(*attrs, "modern");
                std::string gcf = TXmlReaderSimple::getAttribute(*attrs, "gcf");
                // A document may only point the program at the dictionary's own pages; one
                // address elsewhere spoils the pair.
                if (!modern.empty() && !gcf.empty() && isDictionaryTemplate(modern) && isDictionaryTemplate(gcf)) {
                    if (key == "programpage")
                        result.replacements.push_back({TemplatePair::ProgramPage, modern, gcf});
                    else if (key == "lookup")
                        result.replacements.push_back({TemplatePair::Lookup, modern, gcf});
                }
            } else if (message &&
                       !(key = TXmlReaderSimple::getAttribute(*attrs, "timestamp")).empty()) {
                nesting = 1;
                if (!settingsFileMissing) {
                    inAcceptedMessage = false;
                    if (versionInWindow(TXmlReaderSimple::getAttribute(*attrs, "min-ver"),
                                        TXmlReaderSimple::getAttribute(*attrs, "max-ver"))) {
                        inAcceptedMessage = true;
                        if (!result.messages) result.messages.emplace();
                        result.messages->push_back({key, {}, false});
                        // The message's HTML comes as one piece, references left for the browser.
                        reader.contentIsOnePart = true;
                        reader.decodeEntities = false;
                    }
                }
            } else {
                inAcceptedMessage = false;
            }
            if (startTag) ++nesting;
            break;
        }
        case xmlEndTag:
            if (nesting > 0) --nesting;
            reader.decodeEntities = true;
            break;
        case xmlContent:
            if (nesting >= 2 && inAcceptedMessage && result.messages && !result.messages->empty()) {
                result.messages->back().text += reader.content();
                reader.decodeEntities = true;
            }
            break;
        case xmlError:
            result.status = kDefinitionsXmlError;
            return;
        default:
            break;
        }
    }
    result.status = nesting != 0 ? kDefinitionsUnbalanced : kDefinitionsOk;
}

} // namespace

DefinitionsParseResult ParseDefinitions(TXmlReaderSimple& reader, bool settingsFileMissing) {
    DefinitionsParseResult result;
    try {
        walk(reader, settingsFileMissing, result);
    } catch (const std::exception&) {
        result.status = kDefinitionsXmlError;
    }
    return result;
}

void applyTemplateReplacements(PageTemplates& templates, const std::vector<TemplateReplacement>& replacements) {
    for (const TemplateReplacement& r : replacements) {
        if (r.pair == TemplatePair::ProgramPage) {
            templates.ProgramPageModern = r.modern;
            templates.ProgramPageGCF = r.gcf;
        } else {
            templates.LookupModern = r.modern;
            templates.LookupGCF = r.gcf;
        }
    }
}

} // namespace qlx
