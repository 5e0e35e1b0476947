#pragma once
// The symbology tables the encoders are built from, each defined once at the top of its
// encoder's file and declared here so that tests can check the shape of every row.
#include <string>
#include <string_view>

namespace zerbo::barcode {

// CODE39: 43 data characters in value order, then '*' (value 43), nine elements and the gap.
extern const std::u16string_view kCode39Chars;       // 43 characters
extern const std::string_view kCode39Patterns[44];

// NW-7: 20 characters in value order (A..D at 16..19), seven elements and the gap.
extern const std::u16string_view kNw7Chars;          // 20 characters
extern const std::string_view kNw7Patterns[20];

// Two-of-five family, indexed by digit.
extern const std::string_view kItfBars[10];          // five bar widths of the first digit of a pair
extern const std::string_view kItfSpaces[10];        // five space widths of the second digit
extern const std::string_view kCtfIataPatterns[10];  // five bars, each followed by a narrow space
extern const std::string_view kMatrixPatterns[10];   // three bars, two spaces, the gap
extern const std::string_view kNecPatterns[10];

// CODE128: one row per value 0..102 with its name in sets A, B and C.
struct Code128Row {
    std::string_view name[3];
    std::string_view pattern;
};
extern const Code128Row kCode128Table[103];
extern const std::string_view kCode128Start[3];      // values 103, 104, 105
extern const std::string_view kCode128Stop;

// The value of `token` in the column of code set `set` (0 = A, 1 = B, 2 = C): the first row whose
// name equals it, case-sensitively; -1 when there is none.
int Code128Value(int set, std::u16string_view token);

// CODE93: 43 data characters, then the four internal shift characters (values 43..46).
extern const std::u16string_view kCode93Chars;       // 47 characters
extern const std::string_view kCode93Patterns[47];
extern const std::string_view kCode93Start;
extern const std::string_view kCode93Stop;

// Code97cd: the full-ASCII display keys of CODE93 (a typed shift and a letter) and their text.
struct Code97cdEntry {
    std::u16string_view key;
    std::u16string_view text;
};
extern const Code97cdEntry kCode97cd[88];
// Rewrites `text` from left to right, replacing every display key that starts at the position
// reached by its text.
std::u16string Code97cd(std::u16string_view text);

// Customer barcode: values 0..18 (digits, '-', CC1..CC8), one column per digit, three bars each.
extern const std::string_view kCustomerPatterns[19];
extern const std::string_view kCustomerStart;
extern const std::string_view kCustomerStop;
extern const std::u16string_view kCustomerCheckDisplay; // 19 characters, indexed by check value

} // namespace zerbo::barcode
