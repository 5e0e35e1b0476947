// Code97cd: how CODE93's full-ASCII shift pairs are shown in the human-readable text. The keys
// are a typed shift ("<$>", "<%>", "</>", "<+>") followed by a capital letter.
#include "barcode/Code97cd.h"

#include "barcode/TableShape.h"

namespace zerbo::barcode {

namespace {

struct Code97cdEntry {
    std::u16string_view key;
    std::u16string_view text;
};

constexpr Code97cdEntry kCode97cd[] = {
    // ($) A..Z: control characters 01..1A hex, by their ASCII names
    {u"<$>A", u"SOH"}, {u"<$>B", u"STX"}, {u"<$>C", u"ETX"}, {u"<$>D", u"EOT"},
    {u"<$>E", u"ENQ"}, {u"<$>F", u"ACK"}, {u"<$>G", u"BEL"}, {u"<$>H", u"BS"},
    {u"<$>I", u"HT"},  {u"<$>J", u"LF"},  {u"<$>K", u"VT"},  {u"<$>L", u"FF"},
    {u"<$>M", u"CR"},  {u"<$>N", u"SO"},  {u"<$>O", u"SI"},  {u"<$>P", u"DLE"},
    {u"<$>Q", u"DC1"}, {u"<$>R", u"DC2"}, {u"<$>S", u"DC3"}, {u"<$>T", u"DC4"},
    {u"<$>U", u"NAK"}, {u"<$>V", u"SYN"}, {u"<$>W", u"ETB"}, {u"<$>X", u"CAN"},
    {u"<$>Y", u"EM"},  {u"<$>Z", u"SUB"},
    // (%) A..Z: the remaining control characters and punctuation
    {u"<%>A", u"ESC"}, {u"<%>B", u"FS"},  {u"<%>C", u"GS"},  {u"<%>D", u"RS"},
    {u"<%>E", u"US"},  {u"<%>F", u";"},   {u"<%>G", u"<"},   {u"<%>H", u"="},
    {u"<%>I", u">"},   {u"<%>J", u"?"},   {u"<%>K", u"["},   {u"<%>L", u"\\"},
    {u"<%>M", u"]"},   {u"<%>N", u"^"},   {u"<%>O", u"_"},   {u"<%>P", u"{"},
    {u"<%>Q", u"|"},   {u"<%>R", u"}"},   {u"<%>S", u"~"},   {u"<%>T", u"DEL"},
    {u"<%>U", u"NUL"}, {u"<%>V", u"@"},   {u"<%>W", u"`"},   {u"<%>X", u"DEL"},
    {u"<%>Y", u"DEL"}, {u"<%>Z", u"DEL"},
    // (+) A..Z: lower-case letters
    {u"<+>A", u"a"}, {u"<+>B", u"b"}, {u"<+>C", u"c"}, {u"<+>D", u"d"}, {u"<+>E", u"e"},
    {u"<+>F", u"f"}, {u"<+>G", u"g"}, {u"<+>H", u"h"}, {u"<+>I", u"i"}, {u"<+>J", u"j"},
    {u"<+>K", u"k"}, {u"<+>L", u"l"}, {u"<+>M", u"m"}, {u"<+>N", u"n"}, {u"<+>O", u"o"},
    {u"<+>P", u"p"}, {u"<+>Q", u"q"}, {u"<+>R", u"r"}, {u"<+>S", u"s"}, {u"<+>T", u"t"},
    {u"<+>U", u"u"}, {u"<+>V", u"v"}, {u"<+>W", u"w"}, {u"<+>X", u"x"}, {u"<+>Y", u"y"},
    {u"<+>Z", u"z"},
    // (/) with a letter: only the punctuation that has no data character of its own
    {u"</>A", u"!"}, {u"</>B", u"\""}, {u"</>C", u"#"}, {u"</>F", u"&"}, {u"</>G", u"'"},
    {u"</>H", u"("}, {u"</>I", u")"},  {u"</>J", u"*"}, {u"</>L", u","}, {u"</>Z", u":"},
};
static_assert(std::size(kCode97cd) == 26 + 26 + 26 + 10, "($), (%) and (+) with every letter, (/) with ten");
static_assert(shape::Every(kCode97cd, [](const Code97cdEntry& e) {
    constexpr std::u16string_view shifts = u"$%/+";
    return e.key.size() == 4 && e.key[0] == u'<' && shifts.find(e.key[1]) != shifts.npos && e.key[2] == u'>' &&
           e.key[3] >= u'A' && e.key[3] <= u'Z' && !e.text.empty();
}), "a typed shift and a capital letter");
static_assert(shape::AllDistinct(kCode97cd, [](const Code97cdEntry& e) { return e.key; }));

} // namespace

std::u16string Code97cd(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        // Every key is four characters and starts with '<'; most positions are not one.
        if (text[i] == u'<' && text.size() - i >= 4) {
            const std::u16string_view candidate = text.substr(i, 4);
            const Code97cdEntry* hit = nullptr;
            for (const auto& entry : kCode97cd) {
                if (entry.key == candidate) {
                    hit = &entry;
                    break;
                }
            }
            if (hit) {
                out += hit->text;
                i += 4;
                continue;
            }
        }
        out += text[i];
        ++i;
    }
    return out;
}

} // namespace zerbo::barcode
