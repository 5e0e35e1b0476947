#include "win32/ui/InputMethod.h"

#include "win32/base/Handles.h"

namespace zerbo::win32 {

void ApplyImeMode(HWND field, TImeMode mode) {
    if (mode == TImeMode::imDontCare) return;
    const TImeContext context(ImmGetContext(field), {field});
    if (!context) return;
    if (mode == TImeMode::imClose) {
        ImmSetOpenStatus(context.Get(), FALSE);
        return;
    }
    ImmSetOpenStatus(context.Get(), TRUE);
    DWORD conversion = 0, sentence = 0;
    ImmGetConversionStatus(context.Get(), &conversion, &sentence);
    conversion &= ~(IME_CMODE_KATAKANA | IME_CMODE_FULLSHAPE);
    conversion |= IME_CMODE_NATIVE | (mode == TImeMode::imHira ? IME_CMODE_FULLSHAPE : IME_CMODE_KATAKANA);
    ImmSetConversionStatus(context.Get(), conversion, sentence);
}

} // namespace zerbo::win32
