#include <gtest/gtest.h>

#include "core/Path.h"
#include "core/Text.h"

namespace zerbo {
namespace {

TEST(Path, NamesAreTakenApartAtTheLastDelimiterAndTheLastDotOfTheName) {
    struct Case {
        std::u16string_view path, folder, name, ext, changed;
    } cases[] = {
        {u"C:\\A\\b.ini", u"C:\\A\\", u"b.ini", u".ini", u"C:\\A\\b.hlp"},
        {u"C:b.x.emf", u"C:", u"b.x.emf", u".emf", u"C:b.x.hlp"},
        // A dot in a folder's name is no extension.
        {u"C:\\v1.2\\Zerbo", u"C:\\v1.2\\", u"Zerbo", u"", u"C:\\v1.2\\Zerbo.hlp"},
        {u"name.", u"", u"name.", u".", u"name.hlp"},
        {u"", u"", u"", u"", u".hlp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.path));
        EXPECT_EQ(ExtractFilePath(u"\\:", c.path), c.folder);
        EXPECT_EQ(ExtractFileName(u"\\:", c.path), c.name);
        EXPECT_EQ(ExtractFileExt(u"\\:", c.path), c.ext);
        EXPECT_EQ(ChangeFileExt(u"\\:", c.path, u".hlp"), c.changed);
    }
}

} // namespace
} // namespace zerbo
