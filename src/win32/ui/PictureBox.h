#pragma once
// The scroll box that shows the current symbol: a window over a scroll-box model, which
// follows the model's bounds and visibility, paints the picture without flicker on a grey
// ground and scrolls it when it is larger than the box.
#include <windows.h>

#include <functional>

#include "components/Controls.h"
#include "gfx/Picture.h"
#include "win32/base/Handles.h"

namespace zerbo::win32 {

class TPictureBox : private IChangeObserver {
public:
    // `picture` answers what to show now; null or empty shows the ground alone.
    TPictureBox(HWND parent, TScrollBox& model, std::function<const gfx::TGraphic*()> picture);
    TPictureBox(const TPictureBox&) = delete;
    TPictureBox& operator=(const TPictureBox&) = delete;
    ~TPictureBox() override;

    HWND Handle() const { return window_.Get(); }
    // The picture changed: new scroll ranges, painted again.
    void Refresh();

private:
    void Changed(TComponent& component, TChange what) override;
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void paint(HDC dc);
    void updateScrollBars();
    void scroll(int bar, WORD request);

    TScrollBox& model_;
    std::function<const gfx::TGraphic*()> picture_;
    TWindow window_;
    int scrollX_ = 0;
    int scrollY_ = 0;
};

} // namespace zerbo::win32
