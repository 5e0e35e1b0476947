#pragma once
// TAuto: the members of the automation interface IAuto over the main window. It keeps no
// state of its own: every property reads or writes a control of TZerboCode, a property of its
// barcode component or the application's show-main-window flag, so every client and the
// user share one set of settings. Integer puts outside a member's range are ignored; errors
// are our Exception, which the COM layer turns into the call's failure.
#include <cstdint>
#include <string>

#include "app/ZerboCode.h"

namespace zerbo::automation {

class TAuto {
public:
    TAuto(app::TZerboCode& window, app::IMainForm& form) : z_(window), form_(form) {}

    std::u16string Code() const;
    void SetCode(const std::u16string& value);
    int32_t CodeType() const;
    void SetCodeType(int32_t value);
    int32_t BarScale() const;
    void SetBarScale(int32_t value);
    int32_t BoxDraw() const;
    void SetBoxDraw(int32_t value);
    int32_t QRVersion();
    void SetQRVersion(int32_t value);
    int32_t QRErrLevel() const;
    void SetQRErrLevel(int32_t value);
    int32_t AddCodeChar() const;
    void SetAddCodeChar(int32_t value);
    int32_t AddComment() const;
    void SetAddComment(int32_t value);
    std::u16string FontName() const;
    void SetFontName(const std::u16string& value);
    std::u16string Comment() const;
    void SetComment(const std::u16string& value);
    int32_t CommentPos() const;
    void SetCommentPos(int32_t value);
    int32_t CommentAlign() const;
    void SetCommentAlign(int32_t value);
    int32_t Height();
    void SetHeight(int32_t value);
    int32_t HMargin();
    void SetHMargin(int32_t value);
    int32_t VMargin();
    void SetVMargin(int32_t value);
    int32_t CopyType() const;
    void SetCopyType(int32_t value);
    int32_t Visible() const;
    void SetVisible(int32_t value);
    void Show(int32_t mode);
    // One generation with automatic copy, no history entry: 0, or -1 when it failed.
    int32_t Execute();
    int32_t FontSize() const;
    void SetFontSize(int32_t value);
    // 1 when the file exists afterwards, else 0.
    int32_t SaveFile(const std::u16string& fileName);
    int32_t BarColor() const;
    void SetBarColor(int32_t value);
    int32_t BackColor() const;
    void SetBackColor(int32_t value);
    int32_t SpecialCode() const;
    void SetSpecialCode(int32_t value);
    int32_t CheckDigit() const;
    void SetCheckDigit(int32_t value);
    std::u16string StartChar() const;
    // Its first character; an empty string raises and changes nothing.
    void SetStartChar(const std::u16string& value);
    std::u16string StopChar() const;
    void SetStopChar(const std::u16string& value);
    int32_t CHandle() const { return 0; }
    void SetCHandle(int32_t) {}

private:
    app::TZerboCode& z_;
    app::IMainForm& form_;
};

} // namespace zerbo::automation
