// Retries of the definitions download and the meaning of its end status.
#include "definitions/DefinitionsRetry.h"

#include "definitions/DefinitionsDocument.h"

namespace qlx {

std::optional<std::string> definitionsFailureText(int32_t status, const DefinitionsServer& server) {
    const std::string address = server.documentAddress();
    const std::string contact = std::string(", eller kontakt evt. Talevang (") + kCouncilAddress + ")";
    std::string reason, suffix;
    switch (status) {
    case kDefinitionsNoXml: reason = "intet XML-indhold i " + address, suffix = contact; break;
    case kDefinitionsFailed: reason = "fil " + address, suffix = contact; break;
    case kDefinitionsUnbalanced:
    case kDefinitionsXmlError: reason = "XML-fejl i " + address, suffix = contact; break;
    case kDefinitionsNoConnection: reason = "ingen forbindelse til http://" + server.authority(); break;
    case kDefinitionsNoAnswer: reason = "intet svar, fil " + address; break;
    case kDefinitionsBadAnswer: reason = "forkert HTTP-svar, fil " + address; break;
    default: return std::nullopt;
    }
    return "Nogle informationer kunne ikke hentes korrekt via internettet.\n(" + reason +
           ")\n\nPr\xF8v evt. igen senere" + suffix + ".";
}

void DefinitionsRetry::StartReadDefinitions() {
    inProgress_ = true;
    timerEnabled_ = true;
}

bool DefinitionsRetry::TimerReadDefinitionsTimer(bool messagesReceived) {
    if (!timerEnabled_ || messagesReceived || inProgress_ || tag_ >= kMaxRetries) return false;
    ++tag_;
    StartReadDefinitions();
    return true;
}

DefinitionsCompletion DefinitionsRetry::ReadDefinitionsDone(int32_t status, bool reportErrors,
                                                            const DefinitionsServer& server) {
    DefinitionsCompletion completion;
    inProgress_ = false;
    auto failure = definitionsFailureText(status, server);
    if (!failure) {
        timerEnabled_ = false;
        completion.success = true;
        return completion;
    }
    // A broken document will not mend itself within seconds.
    if (status == kDefinitionsUnbalanced || status == kDefinitionsXmlError) tag_ = kNoRetries;
    completion.failureText = std::move(*failure);
    if (reportErrors) {
        tag_ = kNoRetries;
        completion.showFailure = true;
    }
    return completion;
}

} // namespace qlx
