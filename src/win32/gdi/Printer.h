#pragma once
// The printer: the one the set-up dialog chose, or the platform's default printer. A document
// holds its device context from BeginDoc to EndDoc.
#include <windows.h>

#include <string>

#include "app/Services.h"
#include "win32/base/Handles.h"

namespace zerbo::win32 {

class TWinPrinter : public app::IPrinter {
public:
    // The set-up dialog is owned by `owner`.
    explicit TWinPrinter(HWND owner) : owner_(owner) {}

    int PixelsPerInchX() override;
    int PixelsPerInchY() override;
    void BeginDoc() override;
    void EndDoc() override;
    void StretchDraw(const gfx::TGraphic& graphic, int32_t width, int32_t height) override;
    void StretchDraw(const gfx::TBitmap24& pixels, int32_t width, int32_t height) override;
    void ExecuteSetupDialog() override;

private:
    // A device context of the printer, for drawing or (`information`) for asking only.
    TMemoryDC open(bool information);
    int caps(int index);

    HWND owner_;
    // The set-up dialog's choice; empty for the default printer.
    TGlobalMemory devMode_;
    TGlobalMemory devNames_;
    TMemoryDC document_;
};

} // namespace zerbo::win32
