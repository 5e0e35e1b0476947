#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "barcode/Encoder.h"
#include "test_patterns.h"

namespace zerbo::barcode {
namespace {

constexpr int CC1 = 11, CC2 = 12, CC3 = 13, CC4 = 14, CC8 = 18;

int Bars(const std::string& pattern) {
    int bars = 0;
    for (const char c : pattern) bars += c != '0';
    return bars;
}

std::vector<int> Fill(std::vector<int> data) {
    while (data.size() < 20) data.push_back(CC4);
    return data;
}

std::vector<int> WithCheck(std::vector<int> data, int check) {
    data.push_back(check);
    return data;
}

TEST(EncodeCUSTOMER, WorkedExamplesAndEdgeCases) {
    const struct {
        std::u16string code;
        std::vector<int> values; // data and check
        std::u16string symbol;
    } cases[] = {
        {u"1234567", WithCheck(Fill({1, 2, 3, 4, 5, 6, 7}), CC8), u"1234567" + std::u16string(15, u' ')},
        {u"A", WithCheck(Fill({CC1, 0}), 3), u"A" + std::u16string(20, u' ') + u"3"},
        {u"Z", WithCheck(Fill({CC3, 5}), 15), u"Z" + std::u16string(21, u' ')},
        {u"K-T", WithCheck(Fill({CC2, 0, 10, CC2, 9}), CC3), u"K-T" + std::u16string(18, u' ') + u" "},
        // A letter after eighteen characters still fits: its two values are the last two places.
        {u"123456789012345678A", WithCheck({1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5, 6, 7, 8, CC1, 0}, 3),
         u"123456789012345678A  3"},
        // A letter in the twentieth place becomes the filler.
        {u"1234567890123456789A", WithCheck({1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, CC4}, 10),
         u"1234567890123456789A -"},
        // A space inside is a filler; lower case, punctuation and non-ASCII use up their place.
        {u"12 3", WithCheck(Fill({1, 2, CC4, 3}), 3), u"12 3" + std::u16string(17, u' ') + u"3"},
        {u"1a2", WithCheck({1, 2, CC4, CC4, CC4, CC4, CC4, CC4, CC4, CC4, CC4, CC4, CC4, CC4, CC4, CC4, CC4, CC4, CC4}, 6),
         u"1a2" + std::u16string(18, u' ') + u"6"},
        {u"\uFF11\u30A2!", WithCheck(std::vector<int>(17, CC4), 9), u"\uFF11\u30A2!" + std::u16string(18, u' ') + u"9"},
        // Twenty skipped characters: start, check 0 and stop only.
        {u"aaaaaaaaaaaaaaaaaaaa", {0}, u"aaaaaaaaaaaaaaaaaaaa 0"},
        // Only the first twenty characters are encoded; the text shows them all.
        {u"12345678901234567890123", WithCheck({1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}, 5),
         u"123456789012345678901235"},
        {u"", WithCheck(Fill({}), 5), std::u16string(21, u' ') + u"5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code.begin(), c.code.end()));
        std::u16string symbol;
        const std::string pattern = EncodeCUSTOMER({c.code}, symbol);
        EXPECT_EQ(test::CustomerValuesOf(pattern), c.values);
        EXPECT_EQ(symbol, c.symbol);
    }
}

TEST(EncodeCUSTOMER, AddressesMake67BarsAndAValidCheck) {
    const std::u16string addresses[] = {
        u"2630023-3-16-1", u"0600906-1-3-5", u"1050011-4-2-8", u"9000001",
        u"0640804A1-17", u"1100016-6-4-2-C1108", u"5300001ZZ", u"0200000ABCDEFGH",
        u"9100067KJ-T", u"3540002-1-1-1-1-1-1", u"1234567890-ABCDEFGHIJKLMNOP",
        u"12345678901234567-QX", u"AAAAAAAAAA",
    };
    for (const auto& address : addresses) {
        SCOPED_TRACE(std::string(address.begin(), address.end()));
        std::u16string symbol;
        const std::string pattern = EncodeCUSTOMER({address}, symbol);
        EXPECT_EQ(Bars(pattern), 67);
        const auto values = test::CustomerValuesOf(pattern);
        ASSERT_EQ(values.size(), 21u);
        // The check makes the sum of all 21 characters a multiple of 19.
        int sum = 0;
        for (const int v : values) {
            ASSERT_GE(v, 0);
            sum += v;
        }
        EXPECT_EQ(sum % 19, 0);
        EXPECT_EQ(symbol.back(), golden::kCustomerCheckDisplay[static_cast<std::size_t>(values.back())]);
        EXPECT_EQ(symbol.substr(0, address.size()), address);
    }
}

} // namespace
} // namespace zerbo::barcode
