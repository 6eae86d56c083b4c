// The HTTP exchange of the definitions download. Each step sets the status first, so that the
// status a failure leaves behind tells the completion step where the download stopped.
#include "definitions/DefinitionsExchange.h"

#include <algorithm>
#include <string_view>

#include "Text.h"
#include "definitions/DocumentEncoding.h"

namespace qlx {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Undoes the chunked transfer coding as bytes arrive.
class ChunkedDecoder {
public:
    enum State { kSize, kSizeExtension, kSizeLf, kData, kDataCr, kDataLf, kTrailerStart, kTrailerLine, kTrailerLf, kDone, kError };

    void feed(std::string_view bytes) {
        for (size_t i = 0; i < bytes.size() && state_ != kDone && state_ != kError; ++i) {
            char c = bytes[i];
            switch (state_) {
            case kSize: {
                int digit = hexDigit(c);
                if (digit >= 0) {
                    size_ = size_ * 16 + static_cast<size_t>(digit);
                    sawDigit_ = true;
                    if (size_ > kMaxAnswerBytes) state_ = kError;
                } else if (!sawDigit_) state_ = kError;
                else if (c == ';' || c == ' ' || c == '\t') state_ = kSizeExtension;
                else if (c == '\r') state_ = kSizeLf;
                else if (c == '\n') endOfSizeLine();
                else state_ = kError;
                break;
            }
            case kSizeExtension:
                if (c == '\r') state_ = kSizeLf;
                else if (c == '\n') endOfSizeLine();
                break;
            case kSizeLf:
                if (c == '\n') endOfSizeLine();
                else state_ = kError;
                break;
            case kData: {
                size_t take = std::min(size_, bytes.size() - i);
                body_.append(bytes.substr(i, take));
                size_ -= take;
                i += take - 1;
                if (size_ == 0) state_ = kDataCr;
                break;
            }
            case kDataCr:
                if (c == '\r') state_ = kDataLf;
                else if (c == '\n') startSizeLine();
                else state_ = kError;
                break;
            case kDataLf:
                if (c == '\n') startSizeLine();
                else state_ = kError;
                break;
            case kTrailerStart:
                if (c == '\r') state_ = kTrailerLf;
                else if (c == '\n') state_ = kDone;
                else state_ = kTrailerLine;
                break;
            case kTrailerLine:
                if (c == '\n') state_ = kTrailerStart;
                break;
            case kTrailerLf:
                state_ = c == '\n' ? kDone : kError;
                break;
            case kDone:
            case kError: break;
            }
        }
    }
    State state() const { return state_; }
    std::string& body() { return body_; }

private:
    static int hexDigit(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }
    void startSizeLine() {
        state_ = kSize;
        size_ = 0;
        sawDigit_ = false;
    }
    void endOfSizeLine() { state_ = size_ == 0 ? kTrailerStart : kData; }

    State state_ = kSize;
    size_t size_ = 0;
    bool sawDigit_ = false;
    std::string body_;
};

// Knows from the header when the answer is complete, so that a server that keeps the
// connection open is not waited for.
class AnswerFraming {
public:
    // Looks at the answer received so far; true when no more bytes are needed.
    bool complete(const std::string& answer) {
        if (bodyStart_ == std::string::npos) {
            size_t from = scanned_ >= 3 ? scanned_ - 3 : 0;
            scanned_ = answer.size();
            size_t separator = answer.find("\r\n\r\n", from);
            if (separator == std::string::npos) return false;
            bodyStart_ = separator + 4;
            fed_ = bodyStart_;
            readHeader(std::string_view(answer).substr(0, separator));
            // An error answer's body is not the document: nothing more of it is read.
            if (!success_) return true;
        }
        if (chunked_) {
            chunks_.feed(std::string_view(answer).substr(fed_));
            fed_ = answer.size();
            return chunks_.state() == ChunkedDecoder::kDone || chunks_.state() == ChunkedDecoder::kError;
        }
        return length_ && answer.size() - bodyStart_ >= *length_;
    }
    // The status line says 2xx. Only such an answer carries the document: a server's error
    // page, a redirect or a proxy's answer is a failed download, whatever its body holds.
    bool success() const { return success_; }
    // The header announced more than has come.
    bool awaitsMore() const { return bodyStart_ != std::string::npos && (chunked_ || length_); }
    bool tooLong() const { return length_ && *length_ > kMaxAnswerBytes; }
    bool malformed() const { return chunked_ && chunks_.state() == ChunkedDecoder::kError; }
    // The whole answer's size, once the header has announced it.
    std::optional<size_t> announcedSize() const {
        if (!length_) return std::nullopt;
        return bodyStart_ + *length_;
    }
    // The document, once the answer is complete; takes the answer's bytes.
    std::string body(std::string& answer) {
        if (chunked_) return std::move(chunks_.body());
        answer.erase(0, bodyStart_);
        if (length_ && answer.size() > *length_) answer.resize(*length_);
        return std::move(answer);
    }

private:
    void readHeader(std::string_view header) {
        size_t lineStart = header.find("\r\n");
        success_ = successStatus(header.substr(0, lineStart));
        while (lineStart != std::string_view::npos) {
            lineStart += 2;
            size_t lineEnd = header.find("\r\n", lineStart);
            std::string_view line = header.substr(lineStart, lineEnd == std::string_view::npos ? std::string_view::npos : lineEnd - lineStart);
            size_t colon = line.find(':');
            if (colon != std::string_view::npos) {
                std::string_view name = trimmed(line.substr(0, colon));
                std::string_view value = trimmed(line.substr(colon + 1));
                if (equalsNoCase(name, "content-length")) readLength(value);
                else if (equalsNoCase(name, "transfer-encoding") && lowerAscii(value).find("chunked") != std::string::npos)
                    chunked_ = true;
            }
            lineStart = lineEnd;
        }
        if (chunked_) length_.reset();
    }
    void readLength(std::string_view value) {
        // An unreadable length is ignored: the answer then runs until the server closes.
        if (value.empty() || value.size() > 12) return;
        uint64_t n = 0;
        for (char c : value) {
            if (c < '0' || c > '9') return;
            n = n * 10 + static_cast<uint64_t>(c - '0');
        }
        length_ = static_cast<size_t>(std::min<uint64_t>(n, kMaxAnswerBytes + 1));
    }

    // "HTTP/" digits "." digits, a blank, then a status of three digits that begins with 2.
    static bool successStatus(std::string_view line) {
        if (line.substr(0, 5) != "HTTP/") return false;
        size_t i = 5;
        auto digits = [&] {
            const size_t from = i;
            while (i < line.size() && i - from < 3 && line[i] >= '0' && line[i] <= '9') ++i;
            return i > from;
        };
        if (!digits() || i >= line.size() || line[i++] != '.' || !digits()) return false;
        if (i >= line.size() || line[i++] != ' ') return false;
        const std::string_view code = line.substr(i, 3);
        if (code.size() != 3 || code[0] != '2') return false;
        for (char c : code)
            if (c < '0' || c > '9') return false;
        return i + 3 == line.size() || line[i + 3] == ' ';
    }

    size_t scanned_ = 0;
    bool success_ = false;
    size_t bodyStart_ = std::string::npos;
    size_t fed_ = 0;
    std::optional<size_t> length_;
    bool chunked_ = false;
    ChunkedDecoder chunks_;
};

void run(DefinitionsDownload& d, DefinitionsConnection& connection, const DefinitionsServer& server,
         HttpVersionCounter& versions, bool settingsFileMissing) {
    // The whole download, from looking the server's name up to the answer's last byte.
    const int64_t deadline = connection.nowMs() + kDownloadLimitMs;
    auto waitAtMost = [&](int limitMs) {
        int64_t left = deadline - connection.nowMs();
        return static_cast<int>(std::clamp<int64_t>(left, 0, limitMs));
    };
    d.status = kDefinitionsNoConnection;
    if (!connection.connect(server.host, server.port, waitAtMost(kConnectTimeoutMs))) return;

    const std::string request = definitionsRequest(server, versions.next());
    d.status = kDefinitionsNoAnswer;
    if (!connection.send(request, waitAtMost(kIoTimeoutMs))) return;

    std::string answer;
    AnswerFraming framing;
    char buffer[kReceiveChunk];
    bool first = true;
    for (;;) {
        int timeout = waitAtMost(first ? kFirstByteTimeoutMs : kIoTimeoutMs);
        if (timeout <= 0) return; // the whole answer took too long
        DefinitionsConnection::Received r = connection.receive(buffer, sizeof buffer, timeout);
        if (r.result == DefinitionsConnection::Receive::Failed) return;
        if (r.result == DefinitionsConnection::Receive::TimedOut) {
            // Without an announced length, a server that keeps the connection open after
            // its answer has sent all it will send.
            if (first || framing.awaitsMore() || connection.nowMs() >= deadline) return;
            break;
        }
        if (r.result == DefinitionsConnection::Receive::Closed) {
            if (framing.awaitsMore()) return; // cut short
            break;
        }
        first = false;
        answer.append(buffer, std::min(r.size, sizeof buffer));
        if (answer.size() > kMaxAnswerBytes) return;
        bool done = framing.complete(answer);
        if (framing.tooLong()) return;
        if (done) break;
        // Room for the whole announced answer at once, rather than reallocating as it grows.
        auto size = framing.announcedSize();
        if (size && *size <= kMaxAnswerBytes && *size > answer.capacity()) answer.reserve(*size);
        if (connection.nowMs() >= deadline) return;
    }
    connection.close();

    d.status = kDefinitionsBadAnswer;
    if (answer.find("\r\n\r\n") == std::string::npos || framing.malformed()) return;
    if (!framing.success()) return;
    std::string body = framing.body(answer);

    d.status = kDefinitionsNoXml;
    body = definitionsDocumentText(std::move(body));
    TXmlReaderSimple reader{std::string_view(body)};
    DefinitionsParseResult parsed = ParseDefinitions(reader, settingsFileMissing);
    d.status = parsed.status;
    d.replacements = std::move(parsed.replacements);
    d.messages = std::move(parsed.messages);
}

} // namespace

const char* HttpVersionCounter::next() {
    uint8_t sent = sentWith10_.load();
    while (sent < 2 && !sentWith10_.compare_exchange_weak(sent, static_cast<uint8_t>(sent + 1))) {
    }
    return sent < 2 ? "1.0" : "1.1";
}

std::string definitionsRequest(const DefinitionsServer& server, const char* version) {
    std::string request = std::string("GET ") + kDefinitionsPath + " HTTP/" + version + "\r\nHost: " +
                          server.authority() + "\r\n\r\n";
    request += '\0';
    return request;
}

DefinitionsDownload Execute(DefinitionsConnection& connection, const DefinitionsServer& server,
                            HttpVersionCounter& versions, bool settingsFileMissing) {
    DefinitionsDownload d;
    try {
        run(d, connection, server, versions, settingsFileMissing);
    } catch (...) {
        // A failure after a successful walk is still a failure.
        if (d.status < kDefinitionsFailed && d.status != kDefinitionsNoXml) d.status = kDefinitionsFailed;
    }
    connection.close();
    return d;
}

} // namespace qlx
