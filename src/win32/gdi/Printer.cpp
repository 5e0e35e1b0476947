#include "win32/gdi/Printer.h"

#include <commdlg.h>
#include <winspool.h>

#include <vector>

#include "core/Error.h"
#include "win32/base/SystemError.h"
#include "win32/gdi/WinGraphics.h"

namespace zerbo::win32 {

namespace {

void drawPixels(HDC dc, const gfx::TBitmap24& pixels, int32_t width, int32_t height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = pixels.Width();
    info.bmiHeader.biHeight = -pixels.Height();  // top-down, as TBitmap24 keeps its rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    if (StretchDIBits(dc, 0, 0, width, height, 0, 0, pixels.Width(), pixels.Height(), pixels.Row(0), &info,
                      DIB_RGB_COLORS, SRCCOPY) == 0)
        RaiseLastError();
}

} // namespace

TMemoryDC TWinPrinter::open(bool information) {
    std::wstring device, driver = L"WINSPOOL";
    if (devNames_) {
        const TGlobalLock names(devNames_.Get());
        if (const auto* n = static_cast<const DEVNAMES*>(names.Data())) {
            const auto* base = reinterpret_cast<const wchar_t*>(n);
            device = base + n->wDeviceOffset;
        }
    }
    if (device.empty()) {
        DWORD size = 0;
        GetDefaultPrinterW(nullptr, &size);
        std::vector<wchar_t> name(size + 1, L'\0');
        if (size == 0 || !GetDefaultPrinterW(name.data(), &size)) throw Exception(u"既定のプリンタが選択されていません");
        device = name.data();
    }
    const TGlobalLock mode(devMode_.Get());
    const auto* devMode = static_cast<const DEVMODEW*>(mode.Data());
    TMemoryDC dc(information ? CreateICW(driver.c_str(), device.c_str(), nullptr, devMode)
                             : CreateDCW(driver.c_str(), device.c_str(), nullptr, devMode));
    if (!dc) RaiseLastError();
    return dc;
}

int TWinPrinter::caps(int index) {
    const TMemoryDC dc = document_ ? TMemoryDC() : open(true);
    return GetDeviceCaps(document_ ? document_.Get() : dc.Get(), index);
}

int TWinPrinter::PixelsPerInchX() { return caps(LOGPIXELSX); }
int TWinPrinter::PixelsPerInchY() { return caps(LOGPIXELSY); }

void TWinPrinter::BeginDoc() {
    TMemoryDC dc = open(false);
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = L"Zerbo";
    if (StartDocW(dc.Get(), &doc) <= 0) RaiseLastError();
    if (StartPage(dc.Get()) <= 0) {
        const DWORD error = GetLastError();
        AbortDoc(dc.Get());
        throw Exception(SystemErrorMessage(error));
    }
    document_ = std::move(dc);
}

void TWinPrinter::EndDoc() {
    if (!document_) return;
    const TMemoryDC dc = std::move(document_);
    // A queue that refuses the document fails its end with no useful reason (under Wine: none,
    // or an invalid handle).
    if (EndPage(dc.Get()) <= 0 || ::EndDoc(dc.Get()) <= 0) throw Exception(u"プリンタが文書を受け付けませんでした");
}

void TWinPrinter::StretchDraw(const gfx::TGraphic& graphic, int32_t width, int32_t height) {
    if (const auto* metafile = dynamic_cast<const TWinMetafile*>(&graphic)) {
        const RECT target{0, 0, width, height};
        if (metafile->Handle() && !PlayEnhMetaFile(document_.Get(), metafile->Handle(), &target)) RaiseLastError();
    } else if (const auto* bitmap = dynamic_cast<const gfx::TBitmapGraphic*>(&graphic)) {
        drawPixels(document_.Get(), bitmap->ToBitmap24(), width, height);
    }
}

void TWinPrinter::StretchDraw(const gfx::TBitmap24& pixels, int32_t width, int32_t height) {
    drawPixels(document_.Get(), pixels, width, height);
}

void TWinPrinter::ExecuteSetupDialog() {
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.hDevMode = devMode_.Release();
    dialog.hDevNames = devNames_.Release();
    dialog.Flags = PD_PRINTSETUP;
    PrintDlgW(&dialog);
    // The dialog gives back the blocks it was handed, or new ones that hold the choice.
    devMode_.Reset(dialog.hDevMode);
    devNames_.Reset(dialog.hDevNames);
}

} // namespace zerbo::win32
