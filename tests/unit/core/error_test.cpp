#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <vector>

#include "core/Guard.h"

namespace zerbo {
namespace {

TEST(Guard, WhateverEscapesIsShownOnceInTheUsersLanguageAndTheCallerGoesOn) {
    std::vector<std::u16string> shown;
    const TErrorDisplay show = [&](const std::u16string& m) { shown.push_back(m); };
    EXPECT_TRUE(Guarded(show, [] {}));
    EXPECT_FALSE(Guarded(show, [] { throw EConvertError(u"''x'' は整数ではありません"); }));
    EXPECT_FALSE(Guarded(show, [] { throw std::bad_alloc(); }));
    EXPECT_FALSE(Guarded(show, [] { throw 42; }));
    EXPECT_EQ(shown, (std::vector<std::u16string>{u"''x'' は整数ではありません", u"メモリが不足しています",
                                                  u"不明な例外が発生しました"}));
    // Without a display the error is still contained.
    EXPECT_FALSE(Guarded(nullptr, [] { throw std::runtime_error("x"); }));
}

} // namespace
} // namespace zerbo
