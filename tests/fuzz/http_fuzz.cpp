// libFuzzer target over the definitions download's HTTP exchange: the server's answer arrives
// in read sizes and with silences that the input chooses, on a fake clock (no real waiting).
// Input: flags, silence, six read sizes, then the answer's bytes.
//   flags bit 0: no settings file; bits 1-2: after the answer the server closes (0), stays
//   silent (1), fails (2) or closes after a silence (3).
//   silence: bits 0-6 times 500 ms before a read; bit 7: before every fourth read only.
//   read size: 1-255 bytes, 0 for as much as the buffer holds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "definitions/DefinitionsExchange.h"

namespace {

#define CHECK(condition)                                                                           \
    do {                                                                                           \
        if (!(condition)) __builtin_trap();                                                        \
    } while (0)

constexpr size_t kPrefix = 8;
constexpr int64_t kStart = 5000;

enum class Ending { Close, Silence, Fail, LateClose };

class ScriptedServer : public qlx::DefinitionsConnection {
  public:
    ScriptedServer(std::string_view answer, const uint8_t* sizes, int64_t silenceMs,
                   bool everyFourth, Ending ending)
        : answer_(answer), sizes_(sizes), silenceMs_(silenceMs), everyFourth_(everyFourth),
          ending_(ending) {}

    int64_t clock = kStart;
    int receives = 0;
    bool open = false;
    bool readWhileClosed = false;

    bool connect(const std::string&, uint16_t, int) override { return open = true; }
    bool send(std::string_view, int timeoutMs) override { return timeoutMs > 0; }
    Received receive(char* buffer, size_t capacity, int timeoutMs) override {
        readWhileClosed |= !open;
        CHECK(timeoutMs > 0 && timeoutMs <= qlx::kIoTimeoutMs);
        // A time-out ends the exchange, so every read but the last takes bytes.
        CHECK(++receives <= static_cast<int>(total_) + 1);
        const bool last = answer_.empty();
        int64_t silence = everyFourth_ && receives % 4 != 1 ? 0 : silenceMs_;
        if (last && ending_ == Ending::Close) silence = 0;
        if (last && ending_ == Ending::Silence) silence = INT64_MAX;
        if (silence > timeoutMs) {
            clock += timeoutMs;
            return {Receive::TimedOut, 0};
        }
        clock += silence;
        if (last) return {ending_ == Ending::Fail ? Receive::Failed : Receive::Closed, 0};
        const uint8_t wanted = sizes_[receives % 6];
        const size_t n = std::min({capacity, answer_.size(), wanted ? size_t{wanted} : capacity});
        std::copy_n(answer_.data(), n, buffer);
        answer_.remove_prefix(n);
        return {Receive::Data, n};
    }
    void close() override { open = false; }
    int64_t nowMs() override { return clock; }

  private:
    std::string_view answer_;
    const uint8_t* sizes_;
    const size_t total_ = answer_.size();
    const int64_t silenceMs_;
    bool everyFourth_;
    Ending ending_;
};

qlx::DefinitionsDownload download(ScriptedServer& server, bool settingsFileMissing) {
    qlx::HttpVersionCounter versions;
    qlx::DefinitionsDownload d =
        qlx::Execute(server, {"defs.example", 80}, versions, settingsFileMissing);
    CHECK(!server.open && !server.readWhileClosed);
    CHECK(server.clock - kStart <= qlx::kDownloadLimitMs);
    CHECK(d.status == qlx::kDefinitionsOk || d.status == qlx::kDefinitionsNoConnection ||
          d.status == qlx::kDefinitionsNoAnswer || d.status == qlx::kDefinitionsBadAnswer ||
          d.status == qlx::kDefinitionsUnbalanced || d.status == qlx::kDefinitionsXmlError);
    return d;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kPrefix) return 0;
    const bool settingsFileMissing = data[0] & 1;
    const auto ending = static_cast<Ending>((data[0] >> 1) & 3);
    const int64_t silenceMs = (data[1] & 0x7F) * 500;
    const bool everyFourth = data[1] & 0x80;
    const std::string_view answer(reinterpret_cast<const char*>(data + kPrefix), size - kPrefix);

    ScriptedServer server(answer, data + 2, silenceMs, everyFourth, ending);
    const qlx::DefinitionsDownload d = download(server, settingsFileMissing);
    if (d.status == qlx::kDefinitionsOk || d.status == qlx::kDefinitionsUnbalanced ||
        d.status == qlx::kDefinitionsXmlError)
        CHECK(answer.find("\r\n\r\n") != std::string_view::npos);

    // Without silences the outcome cannot depend on how the answer was cut into reads:
    // compare with the same answer read in whole buffers.
    if (silenceMs == 0) {
        const uint8_t whole[6] = {};
        ScriptedServer reference(answer, whole, 0, false, ending);
        const qlx::DefinitionsDownload r = download(reference, settingsFileMissing);
        CHECK(r.status == d.status);
        CHECK(r.replacements == d.replacements);
        CHECK(r.messages.has_value() == d.messages.has_value());
        if (r.messages) {
            CHECK(r.messages->size() == d.messages->size());
            for (size_t i = 0; i < r.messages->size(); ++i)
                CHECK((*r.messages)[i].timestamp == (*d.messages)[i].timestamp &&
                      (*r.messages)[i].text == (*d.messages)[i].text);
        }
    }
    return 0;
}
