#pragma once

#include "core/ChatPorts.h"
#include "core/Exception.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// Stand-ins for the controller's ports: each records what the controller did and does nothing else
// unless a test asks for it, so tests, fuzz targets and benchmarks drive the controller alone.
namespace lirbo::test {

using Sent = std::pair<std::string, std::string>; // host, bytes

class FakeSender : public core::IDatagramSender {
public:
    std::vector<Sent> sent;
    int failAtCall = -1; // 0-based call that throws; -1: never
    void sendDatagram(const std::string& host, const std::string& bytes) override {
        if (m_calls++ == failAtCall) {
            throw core::Exception("Socket Error # 11001\r\nHost not found");
        }
        sent.emplace_back(host, bytes);
    }

private:
    int m_calls = 0;
};

class FakePeers : public core::IPeerSequence {
public:
    std::vector<std::string> entries;
    int selected = -1;
    int count() const override { return static_cast<int>(entries.size()); }
    std::string get(int index) const override { return entries.at(static_cast<std::size_t>(index)); }
    int selectedIndex() const override { return selected; }
};

class FakeClock : public core::IClock {
public:
    std::string stamp = "14:05";
    std::string timeStamp() const override { return stamp; }
};

} // namespace lirbo::test
