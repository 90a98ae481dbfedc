// Datagram decoding and the receive path behind it: any bytes decode or are dropped by the one
// rule (a digit must follow the first byte), decoding then encoding is stable, a composed datagram
// travels intact, and a received message lands whole in the transcript, never over its capacity.
#include "FuzzSupport.h"
#include "core/ChatController.h"
#include "core/ChatDatagram.h"
#include "support/ChatPortFakes.h"

#include <cstdint>
#include <string>

using lirbo::core::TChatDatagram;

namespace {

std::string shownText(std::string text) {
    for (char& c : text) {
        if (c == '\0') {
            c = '?';
        }
    }
    return text;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

void checkDecode(const std::string& bytes) {
    const auto decoded = TChatDatagram::decode(bytes);
    const bool wellFormed = bytes.size() >= 2 && bytes[1] >= '0' && bytes[1] <= '9';
    LIRBO_FUZZ_CHECK(decoded.has_value() == wellFormed);
    if (!decoded) {
        return;
    }
    LIRBO_FUZZ_CHECK(decoded->colourIndex == bytes[1] - '0');
    LIRBO_FUZZ_CHECK((decoded->kind == TChatDatagram::Kind::Private) == (bytes[0] == 'T'));
    LIRBO_FUZZ_CHECK(decoded->nick.find(';') == std::string::npos);
    const bool separated = bytes.find(';', 2) != std::string::npos;
    LIRBO_FUZZ_CHECK(bytes.size() == 2 + decoded->nick.size() + (separated ? 1 : 0) + decoded->body.size());

    const std::string again = decoded->encode();
    LIRBO_FUZZ_CHECK(TChatDatagram::decode(again) == decoded);
    if ((bytes[0] == 'V' || bytes[0] == 'T') && separated) {
        LIRBO_FUZZ_CHECK(again == bytes);
    }
}

void checkComposed(const std::string& bytes) {
    TChatDatagram datagram;
    datagram.kind = bytes.size() % 2 == 0 ? TChatDatagram::Kind::Public : TChatDatagram::Kind::Private;
    datagram.colourIndex = static_cast<int>(bytes.size() % 10);
    const std::size_t half = bytes.size() / 2;
    datagram.nick = bytes.substr(0, std::min(half, bytes.find(';')));
    datagram.body = bytes.substr(half);
    LIRBO_FUZZ_CHECK(TChatDatagram::decode(datagram.encode()) == datagram);
}

void checkReceive(const std::string& bytes) {
    lirbo::test::FakeSender sender;
    lirbo::test::FakePeers peers;
    lirbo::test::FakeClock clock;
    // A small capacity, so that most inputs also exercise the trimming.
    lirbo::core::TChatTranscript transcript(512);
    lirbo::core::TChatController controller({sender, peers, clock, transcript}, "nik", 0);
    controller.receive("V1first;message", "127.0.0.1");
    const std::size_t before = transcript.messages().size();
    controller.receive(bytes, "10.0.0.1");

    const auto decoded = TChatDatagram::decode(bytes);
    if (!decoded) {
        LIRBO_FUZZ_CHECK(transcript.messages().size() == before);
        return;
    }
    const lirbo::core::TTranscriptMessage& last = transcript.messages().back();
    const std::string nick = shownText(decoded->nick);
    LIRBO_FUZZ_CHECK(last.body == shownText(decoded->body));
    LIRBO_FUZZ_CHECK(last.header.compare(0, nick.size() + 7, nick + "[14:05]") == 0);
    LIRBO_FUZZ_CHECK(last.boldLength == nick.size() + 7);
    const std::string suffix = decoded->kind == TChatDatagram::Kind::Private
                                   ? std::string(" \xeb\xe8\xf7\xed\xee \xee\xf2") // " лично от"
                                   : std::string("//");
    LIRBO_FUZZ_CHECK(endsWith(last.header, suffix + "10.0.0.1"));
    LIRBO_FUZZ_CHECK(last.colour ==
                     lirbo::core::TNickPalette::colour(lirbo::core::TNickPalette::usableIndex(decoded->colourIndex)));
    LIRBO_FUZZ_CHECK(transcript.length() <= transcript.capacity() || transcript.messages().size() == 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    checkDecode(bytes);
    checkComposed(bytes);
    checkReceive(bytes);
    return 0;
}
