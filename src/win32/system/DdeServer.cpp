// The DDE server for poked search texts.
#include "win32/system/DdeServer.h"

#include <cstring>
#include <cwchar>
#include <string_view>

#include "win32/system/Clipboard.h"
#include "win32/system/Encoding.h"
#include "lookup/DdeNames.h"
#include "lookup/SearchText.h"

namespace qlx::win {

DdeServer* DdeServer::instance_ = nullptr;

namespace {
// The text of a poked block in either text format: to its first zero, never past its end,
// and only its first line.
template <typename Char> std::basic_string_view<Char> pokedLine(const BYTE* data, DWORD bytes) {
    const auto* text = reinterpret_cast<const Char*>(data);
    const size_t units = bytes / sizeof(Char);
    size_t length = 0;
    while (length < units && text[length] != Char(0) && text[length] != Char('\r') &&
           text[length] != Char('\n'))
        ++length;
    return {text, length};
}
} // namespace

DdeServer::~DdeServer() { stop(); }

bool DdeServer::start(const std::wstring& service, PokeHandler onPoke) {
    if (inst_ != 0) return true;
    instance_ = this;
    onPoke_ = std::move(onPoke);
    const DWORD flags = APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_EXECUTES |
                        CBF_FAIL_REQUESTS | CBF_SKIP_ALLNOTIFICATIONS;
    if (DdeInitializeW(&inst_, callback, flags, 0) != DMLERR_NO_ERROR) {
        inst_ = 0;
        instance_ = nullptr;
        return false;
    }
    service_ = DdeCreateStringHandleW(inst_, service.c_str(), CP_WINUNICODE);
    topic_ = DdeCreateStringHandleW(inst_, widen(kDdeTopic).c_str(), CP_WINUNICODE);
    item_ = DdeCreateStringHandleW(inst_, widen(kDdeItem).c_str(), CP_WINUNICODE);
    if (service_ && topic_ && item_ && DdeNameService(inst_, service_, nullptr, DNS_REGISTER))
        return true;
    stop();
    return false;
}

void DdeServer::stop() {
    if (inst_ == 0) return;
    if (service_) DdeNameService(inst_, service_, nullptr, DNS_UNREGISTER);
    for (HSZ* name : {&service_, &topic_, &item_}) {
        if (*name) DdeFreeStringHandle(inst_, *name);
        *name = nullptr;
    }
    DdeUninitialize(inst_);
    inst_ = 0;
    if (instance_ == this) instance_ = nullptr;
}

bool DdeServer::matches(HSZ name, HSZ ours) const {
    // The comparison of string handles ignores letter case.
    return name != nullptr && DdeCmpStringHandles(name, ours) == 0;
}

HDDEDATA CALLBACK DdeServer::callback(UINT type, UINT format, HCONV, HSZ hsz1, HSZ hsz2,
                                      HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    DdeServer* self = instance_;
    if (self == nullptr) return nullptr;
    // Nothing thrown by the lookup may leave the callback.
    try {
        switch (type) {
        case XTYP_CONNECT:
            return reinterpret_cast<HDDEDATA>(
                static_cast<UINT_PTR>(self->matches(hsz1, self->topic_) && self->matches(hsz2, self->service_)));
        case XTYP_WILDCONNECT: {
            if ((hsz1 && !self->matches(hsz1, self->topic_)) ||
                (hsz2 && !self->matches(hsz2, self->service_)))
                return nullptr;
            HSZPAIR pairs[2] = {{self->service_, self->topic_}, {nullptr, nullptr}};
            return DdeCreateDataHandle(self->inst_, reinterpret_cast<BYTE*>(pairs), sizeof pairs, 0,
                                       nullptr, CF_TEXT, 0);
        }
        case XTYP_POKE:
            return self->poke(format, hsz1, hsz2, data);
        default:
            return nullptr;
        }
    } catch (...) {
        return type == XTYP_POKE ? reinterpret_cast<HDDEDATA>(DDE_FACK) : nullptr;
    }
}

HDDEDATA DdeServer::poke(UINT format, HSZ topic, HSZ item, HDDEDATA data) {
    const auto notProcessed = reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
    if (!matches(topic, topic_) || !matches(item, item_)) return notProcessed;
    if (format != CF_TEXT && format != CF_UNICODETEXT) return notProcessed;
    DWORD bytes = 0;
    const BYTE* block = DdeAccessData(data, &bytes);
    if (block == nullptr) return notProcessed;
    std::string text;
    try {
        if (format == CF_UNICODETEXT) {
            text = searchTextSource(pokedLine<wchar_t>(block, bytes));
        } else {
            std::string_view line = pokedLine<char>(block, bytes);
            text = std::string(line.substr(0, searchTextExtent(line)));
        }
    } catch (...) {
        DdeUnaccessData(data);
        throw;
    }
    DdeUnaccessData(data);
    if (onPoke_) onPoke_(text);
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

} // namespace qlx::win
