// Tests of the definitions download's HTTP exchange against a scripted connection with a fake
// clock: request bytes, header/body split, framing, limits and the status left at each step.
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "definitions/DefinitionsExchange.h"

using namespace qlx;

namespace {

class FakeConnection : public DefinitionsConnection {
public:
    struct Event {
        Receive result;
        std::string bytes;
        int64_t delayMs = 0; // silence before the event
    };

    bool connectSucceeds = true;
    int64_t connectMs = 0; // how long resolving the name and connecting take
    int connectTimeout = -1;
    bool sendSucceeds = true;
    std::deque<Event> script; // when it runs out, the server keeps the connection open
    int64_t clock = 1000;

    std::string connectedHost;
    uint16_t connectedPort = 0;
    std::string sent;
    std::vector<int> receiveTimeouts;
    int closes = 0;
    bool readAfterClose = false;
    bool open = false;

    void data(std::string bytes, int64_t delayMs = 0) { script.push_back({Receive::Data, std::move(bytes), delayMs}); }
    void closed() { script.push_back({Receive::Closed, {}, 0}); }

    bool connect(const std::string& host, uint16_t port, int timeoutMs) override {
        connectedHost = host;
        connectedPort = port;
        connectTimeout = timeoutMs;
        clock += std::min<int64_t>(connectMs, timeoutMs);
        if (connectMs > timeoutMs) return false;
        open = connectSucceeds;
        return connectSucceeds;
    }
    bool send(std::string_view data, int) override {
        sent.append(data);
        return sendSucceeds;
    }
    Received receive(char* buffer, size_t capacity, int timeoutMs) override {
        if (!open) readAfterClose = true;
        receiveTimeouts.push_back(timeoutMs);
        if (script.empty() || script.front().delayMs > timeoutMs) {
            if (!script.empty()) script.front().delayMs -= timeoutMs;
            clock += timeoutMs;
            return {Receive::TimedOut, 0};
        }
        Event& e = script.front();
        clock += e.delayMs;
        e.delayMs = 0;
        if (e.result != Receive::Data) {
            Receive r = e.result;
            if (r == Receive::Closed) open = false;
            script.pop_front();
            return {r, 0};
        }
        size_t n = std::min(capacity, e.bytes.size());
        e.bytes.copy(buffer, n);
        e.bytes.erase(0, n);
        if (e.bytes.empty()) script.pop_front();
        return {Receive::Data, n};
    }
    void close() override {
        ++closes;
        open = false;
    }
    int64_t nowMs() override { return clock; }
};

const DefinitionsServer kServer{"defs.example", 80};
const char kDocument[] = "<d><link name='lookup' modern='http://a.lemmary.dk/' gcf='gcf:http://a.lemmary.dk/'/>"
                         "<message timestamp='t'>Hi</message></d>";

DefinitionsDownload download(FakeConnection& c) {
    HttpVersionCounter versions;
    DefinitionsDownload d = Execute(c, kServer, versions, false);
    EXPECT_GE(c.closes, 1);
    EXPECT_FALSE(c.readAfterClose);
    return d;
}

std::string withLength(const std::string& body) {
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

} // namespace

TEST(DefinitionsHttp, RequestBytesAndVersions) {
    HttpVersionCounter versions;
    std::vector<std::string> requests;
    for (int i = 0; i < 3; ++i) {
        FakeConnection c;
        c.closed();
        Execute(c, kServer, versions, false);
        EXPECT_EQ(c.connectedHost, "defs.example");
        EXPECT_EQ(c.connectedPort, 80);
        requests.push_back(c.sent);
    }
    EXPECT_EQ(requests[0], std::string("GET /quiklex/definitions.xml HTTP/1.0\r\nHost: defs.example\r\n\r\n\0", 62));
    EXPECT_EQ(requests[1], requests[0]);
    EXPECT_EQ(requests[2], std::string("GET /quiklex/definitions.xml HTTP/1.1\r\nHost: defs.example\r\n\r\n\0", 62));
    EXPECT_EQ(definitionsRequest({"127.0.0.1", 8080}, "1.1"),
              std::string("GET /quiklex/definitions.xml HTTP/1.1\r\nHost: 127.0.0.1:8080\r\n\r\n\0", 64));

    // A failed connection does not use up a 1.0 request.
    HttpVersionCounter fresh;
    FakeConnection refused;
    refused.connectSucceeds = false;
    Execute(refused, kServer, fresh, false);
    EXPECT_STREQ(fresh.next(), "1.0");
}

TEST(DefinitionsHttp, HeaderAndBodyAreSplitAtTheFirstEmptyLine) {
    FakeConnection c;
    std::string answer = std::string("HTTP/1.0 200 OK\r\nServer: x\r\n\r\n") + kDocument;
    for (size_t i = 0; i < answer.size(); i += 7) c.data(answer.substr(i, 7), 100);
    c.closed();
    DefinitionsDownload d = download(c);
    EXPECT_EQ(d.status, kDefinitionsOk);
    ASSERT_EQ(d.replacements.size(), 1u);
    ASSERT_TRUE(d.messages);
    EXPECT_EQ((*d.messages)[0].text, "Hi");
    EXPECT_EQ(c.receiveTimeouts.front(), kFirstByteTimeoutMs);
    EXPECT_EQ(c.receiveTimeouts.back(), kIoTimeoutMs);

    FakeConnection crlfInBody;
    crlfInBody.data("HTTP/1.0 200 OK\r\n\r\n<d>\r\n\r\n</d>");
    crlfInBody.closed();
    EXPECT_EQ(download(crlfInBody).status, kDefinitionsOk);
}

TEST(DefinitionsHttp, StatusAtEachStep) {
    FakeConnection refused;
    refused.connectSucceeds = false;
    EXPECT_EQ(download(refused).status, kDefinitionsNoConnection);

    FakeConnection sendFails;
    sendFails.sendSucceeds = false;
    EXPECT_EQ(download(sendFails).status, kDefinitionsNoAnswer);

    FakeConnection silent; // accepts but sends nothing within 28 s
    EXPECT_EQ(download(silent).status, kDefinitionsNoAnswer);
    EXPECT_EQ(silent.receiveTimeouts, std::vector<int>{kFirstByteTimeoutMs});

    FakeConnection readError;
    readError.data("HTTP/1.0 200 OK\r\n");
    readError.script.push_back({DefinitionsConnection::Receive::Failed, {}, 0});
    EXPECT_EQ(download(readError).status, kDefinitionsNoAnswer);

    FakeConnection noSeparator;
    noSeparator.data("HTTP/1.0 200 OK\r\n<d/>");
    noSeparator.closed();
    EXPECT_EQ(download(noSeparator).status, kDefinitionsBadAnswer);

    FakeConnection closesAtOnce;
    closesAtOnce.closed();
    EXPECT_EQ(download(closesAtOnce).status, kDefinitionsBadAnswer);

    FakeConnection xmlError;
    xmlError.data("HTTP/1.0 200 OK\r\n\r\n<d><link name='lookup' modern='http://a.lemmary.dk/' gcf='gcf:http://a.lemmary.dk/'/><x a=1/></d>");
    xmlError.closed();
    DefinitionsDownload broken = download(xmlError);
    EXPECT_EQ(broken.status, kDefinitionsXmlError);
    EXPECT_EQ(broken.replacements.size(), 1u); // applied even though the download failed

    FakeConnection emptyBody;
    emptyBody.data("HTTP/1.0 200 OK\r\n\r\n");
    emptyBody.closed();
    DefinitionsDownload empty = download(emptyBody);
    EXPECT_EQ(empty.status, kDefinitionsOk);
    EXPECT_FALSE(empty.messages);
}

// Only a 2xx answer is the document; an error page that happens to hold one changes nothing and
// counts as a failed download, retried as any other.
TEST(DefinitionsHttp, OnlyASuccessAnswerCarriesTheDocument) {
    const struct {
        const char* statusLine;
        bool document;
    } cases[] = {
        {"HTTP/1.0 200 OK", true},
        {"HTTP/1.1 200", true},
        {"HTTP/1.1 203 Non-Authoritative Information", true},
        {"HTTP/1.0 404 Not Found", false},
        {"HTTP/1.1 500 Internal Server Error", false},
        {"HTTP/1.1 301 Moved Permanently", false},
        {"HTTP/1.1 100 Continue", false},
        {"HTTP/1.1 2000 OK", false},
        {"HTTP/1.1 20 OK", false},
        {"HTTP/1.1  200 OK", false},
        {"http/1.1 200 OK", false},
        {"HTTP/1 200 OK", false},
        {"ICY 200 OK", false},
        {"", false},
    };
    for (const auto& c : cases) {
        FakeConnection connection;
        connection.data(std::string(c.statusLine) + "\r\nServer: x\r\n\r\n" + kDocument);
        connection.closed();
        const DefinitionsDownload d = download(connection);
        EXPECT_EQ(d.status, c.document ? kDefinitionsOk : kDefinitionsBadAnswer) << c.statusLine;
        EXPECT_EQ(d.replacements.size(), c.document ? 1u : 0u) << c.statusLine;
        EXPECT_EQ(d.messages.has_value(), c.document) << c.statusLine;
    }

    // The body of an error answer that keeps the connection open is not waited for.
    FakeConnection open;
    open.data("HTTP/1.1 404 Not Found\r\nContent-Length: 100000\r\n\r\n<d>");
    EXPECT_EQ(download(open).status, kDefinitionsBadAnswer);
    EXPECT_EQ(open.receiveTimeouts.size(), 1u);
}

TEST(DefinitionsHttp, ContentLengthEndsTheAnswer) {
    // The server keeps the connection open: the download ends as soon as the body is in.
    FakeConnection c;
    std::string answer = withLength(kDocument);
    c.data(answer.substr(0, 30));
    c.data(answer.substr(30) + "trailing garbage", 500);
    DefinitionsDownload d = download(c);
    EXPECT_EQ(d.status, kDefinitionsOk);
    EXPECT_EQ(c.clock, 1500);

    FakeConnection cutShort;
    cutShort.data(withLength(kDocument).substr(0, 60));
    cutShort.closed();
    EXPECT_EQ(download(cutShort).status, kDefinitionsNoAnswer);

    FakeConnection stalls;
    stalls.data(withLength(kDocument).substr(0, 60));
    EXPECT_EQ(download(stalls).status, kDefinitionsNoAnswer);

    // An unreadable length is ignored and the answer runs to the close.
    FakeConnection oddLength;
    oddLength.data(std::string("HTTP/1.0 200 OK\r\nContent-Length: lots\r\n\r\n") + kDocument);
    oddLength.closed();
    EXPECT_EQ(download(oddLength).status, kDefinitionsOk);
}

TEST(DefinitionsHttp, WithoutLengthAServerThatStaysOpenIsWaitedForOnce) {
    FakeConnection c;
    c.data(std::string("HTTP/1.1 200 OK\r\n\r\n") + kDocument);
    DefinitionsDownload d = download(c);
    EXPECT_EQ(d.status, kDefinitionsOk);
    EXPECT_EQ(c.clock, 1000 + kIoTimeoutMs);
}

TEST(DefinitionsHttp, ChunkedAnswerIsDecoded) {
    FakeConnection c;
    std::string doc = kDocument;
    auto chunk = [](const std::string& bytes, const char* extension = "") {
        char size[16];
        std::snprintf(size, sizeof size, "%zX", bytes.size());
        return size + std::string(extension) + "\r\n" + bytes + "\r\n";
    };
    std::string answer = "HTTP/1.1 200 OK\r\nTransfer-Encoding: Chunked\r\nContent-Length: 3\r\n\r\n" +
                         chunk(doc.substr(0, 10), ";ext=1") + chunk(doc.substr(10, 31)) + chunk(doc.substr(41)) +
                         "0\r\nX-Trailer: y\r\n\r\n";
    for (size_t i = 0; i < answer.size(); i += 5) c.data(answer.substr(i, 5));
    DefinitionsDownload d = download(c); // no close: the last chunk ends it
    EXPECT_EQ(d.status, kDefinitionsOk);
    ASSERT_TRUE(d.messages);
    EXPECT_EQ((*d.messages)[0].text, "Hi");
    EXPECT_EQ(d.replacements.size(), 1u);

    FakeConnection malformed;
    malformed.data("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n<d/>\r\n0\r\n\r\n");
    EXPECT_EQ(download(malformed).status, kDefinitionsBadAnswer);

    FakeConnection cut;
    cut.data("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n10\r\n<d></d>");
    cut.closed();
    EXPECT_EQ(download(cut).status, kDefinitionsNoAnswer);
}

TEST(DefinitionsHttp, OversizeAnswersFail) {
    FakeConnection big;
    big.data("HTTP/1.0 200 OK\r\n\r\n<d>" + std::string(kMaxAnswerBytes, 'x'));
    big.closed();
    EXPECT_EQ(download(big).status, kDefinitionsNoAnswer);
    EXPECT_FALSE(big.script.empty()); // stopped reading early

    FakeConnection announced;
    announced.data("HTTP/1.0 200 OK\r\nContent-Length: 2000000\r\n\r\n<d>");
    EXPECT_EQ(download(announced).status, kDefinitionsNoAnswer);
    EXPECT_EQ(announced.receiveTimeouts.size(), 1u);

    FakeConnection hugeChunk;
    hugeChunk.data("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nFFFFFFFFFFFFFFFFFFFF\r\n");
    EXPECT_EQ(download(hugeChunk).status, kDefinitionsBadAnswer);
}

TEST(DefinitionsHttp, WholeAnswerMustCompleteWithinOneMinute) {
    FakeConnection drip;
    std::string answer = withLength(kDocument);
    for (char ch : answer) drip.data(std::string(1, ch), 20000);
    EXPECT_EQ(download(drip).status, kDefinitionsNoAnswer);
    EXPECT_LE(drip.clock, 1000 + kDownloadLimitMs);
    for (int t : drip.receiveTimeouts) EXPECT_GT(t, 0);

    // The last wait is cut to what is left of the minute.
    FakeConnection slow;
    slow.data("HTTP/1.0 200 OK\r\n", 25000);
    slow.data("\r\n<d/>", 29000);
    EXPECT_EQ(download(slow).status, kDefinitionsNoAnswer);
    EXPECT_EQ(slow.receiveTimeouts, (std::vector<int>{kFirstByteTimeoutMs, kIoTimeoutMs, kDownloadLimitMs - 54000}));

    // Looking the name up and connecting count against the minute too.
    FakeConnection hangs;
    hangs.connectMs = 1000000;
    EXPECT_EQ(download(hangs).status, kDefinitionsNoConnection);
    EXPECT_EQ(hangs.connectTimeout, kConnectTimeoutMs);
    FakeConnection lateConnect;
    lateConnect.connectMs = 29000;
    lateConnect.data("HTTP/1.0 200 OK\r\n", 25000);
    lateConnect.data("\r\n<d/>", 25000);
    EXPECT_EQ(download(lateConnect).status, kDefinitionsNoAnswer);
    EXPECT_LE(lateConnect.clock, 1000 + kDownloadLimitMs);
}

TEST(DefinitionsHttp, BodyEndsAtAZeroByte) {
    FakeConnection c;
    c.data(std::string("HTTP/1.0 200 OK\r\n\r\n<d></d>\0<unclosed>", 36));
    c.closed();
    EXPECT_EQ(download(c).status, kDefinitionsOk);
}
