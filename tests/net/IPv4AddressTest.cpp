#include "net/IPv4Address.h"

#include "net/IdUDPClient.h"

#include <gtest/gtest.h>
#include <ostream>

namespace lirbo::net {
namespace {

struct FormCase {
    const char* text;
    const char* address; // dotted result, nullptr when the text is no address
};

std::ostream& operator<<(std::ostream& out, const FormCase& c) {
    return out << '"' << c.text << "\" -> " << (c.address ? c.address : "(not an address)");
}

class AddressForms : public ::testing::TestWithParam<FormCase> {};

TEST_P(AddressForms, ParseAsTheirFormSays) {
    const auto parsed = IPv4Address::parse(GetParam().text);
    if (GetParam().address == nullptr) {
        EXPECT_FALSE(parsed) << "parsed as " << parsed->toString();
    } else {
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->toString(), GetParam().address);
    }
}

INSTANTIATE_TEST_SUITE_P(
    FourParts, AddressForms,
    ::testing::Values(FormCase{"192.168.0.7", "192.168.0.7"}, FormCase{"0.0.0.0", "0.0.0.0"},
                      FormCase{"255.255.255.255", "255.255.255.255"}, FormCase{"08.09.010.011", "8.9.10.11"},
                      FormCase{"$FF.x1.X2.0x3", "255.1.2.3"}, FormCase{"0XaB.0xCd.1.1", "171.205.1.1"},
                      FormCase{"1.2.3.256", nullptr}, FormCase{"1.2.3.4.5", nullptr}, FormCase{"1.2.3.4.", nullptr},
                      FormCase{"256.1.1.1", nullptr}, FormCase{"1.2.3.-1", nullptr}, FormCase{"a.b.c.d", nullptr},
                      FormCase{"1.2.3.4 ", nullptr}, FormCase{"1.2.3.0x", nullptr}, FormCase{"1.2.3.$", nullptr},
                      FormCase{"1.2.3.+", nullptr}, FormCase{"1.2.3.0x1g", nullptr}));

INSTANTIATE_TEST_SUITE_P(ShortForms, AddressForms,
                         ::testing::Values(FormCase{"10.1", "10.0.0.1"}, FormCase{"192.168.1", "192.168.0.1"},
                                           FormCase{"258", "0.0.1.2"}, FormCase{"0x7f.1", "127.0.0.1"},
                                           FormCase{"4294967295", "255.255.255.255"}, FormCase{"4294967296", nullptr},
                                           FormCase{"99999999999999999999999", nullptr},
                                           FormCase{"1.16777215", "1.255.255.255"}, FormCase{"1.16777216", nullptr},
                                           FormCase{"1.2.65535", "1.2.255.255"}, FormCase{"1.2.65536", nullptr},
                                           FormCase{"256.1", nullptr}, FormCase{"1.256.1", nullptr}));

INSTANTIATE_TEST_SUITE_P(CuttingAndSigns, AddressForms,
                         ::testing::Values(FormCase{"", nullptr}, FormCase{"10.", "0.0.0.10"},
                                           FormCase{"1..3", "0.0.0.1"}, FormCase{"1.2..4", "1.0.0.2"},
                                           FormCase{"1.2.3.", "1.2.0.3"}, FormCase{".1", nullptr},
                                           FormCase{"  10.1", "10.0.0.1"}, FormCase{"10 .1", nullptr},
                                           FormCase{"+5", "0.0.0.5"}, FormCase{"-0.1", "0.0.0.1"},
                                           FormCase{"-1", nullptr}, FormCase{"+-1", nullptr},
                                           FormCase{"LOCALHOST", nullptr}, FormCase{"host.example", nullptr}));

struct ResolveCase {
    const char* host;
    const char* resolved;
};

class ResolveWithoutLookup : public ::testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveWithoutLookup, KeepsAddressFormsAndMapsLocalhost) {
    EXPECT_EQ(TIdUDPClient::resolveHost(GetParam().host), GetParam().resolved);
}

INSTANTIATE_TEST_SUITE_P(Hosts, ResolveWithoutLookup,
                         ::testing::Values(ResolveCase{"localhost", "127.0.0.1"}, ResolveCase{"lOcAlHoSt", "127.0.0.1"},
                                           ResolveCase{"10.1", "10.1"}, ResolveCase{"258", "258"},
                                           ResolveCase{"0x7f.1", "0x7f.1"}));

} // namespace
} // namespace lirbo::net
