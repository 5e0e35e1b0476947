#pragma once
// The Windows clipboard behind IClipboard: a bitmap as CF_BITMAP, a metafile as
// CF_ENHMETAFILE or converted to CF_METAFILEPICT, a text as CF_UNICODETEXT. Each put hands
// the clipboard a copy of its own, so the picture can be redrawn while the copy stays there.
#include <windows.h>

#include "gfx/Clipboard.h"
#include "win32/base/Handles.h"

namespace zerbo::win32 {

class TWinClipboard : public gfx::IClipboard {
public:
    // owner: the window that owns what is put (the main window); null gives the clipboard a
    // hidden window of its own, since data put without an owner may be refused.
    explicit TWinClipboard(HWND owner = nullptr);

    void PutGraphic(const gfx::TGraphic& graphic) override;
    // The enhanced metafile converted with GetWinMetaFileBits (MM_ANISOTROPIC, the screen as
    // reference) into a METAFILEPICT record: mm 8, extents the metafile's nominal size in
    // hundredths of a millimetre.
    void PutMetafilePict(const gfx::TMetafileGraphic& metafile) override;
    void PutText(std::u16string_view text) override;
    // Plain text as the platform gives it, up to its first NUL and never beyond its block.
    bool ReadText(std::u16string& text) override;
    std::uint32_t SequenceNumber() override { return GetClipboardSequenceNumber(); }

private:
    template <class Owned>
    void Put(UINT format, Owned& data);

    HWND FOwner;
    TWindow FOwnWindow;
};

} // namespace zerbo::win32
